// Which refusals of the system pass: the numbers of Windows' errors, and the rule that tells
// a file held for a moment by another program from one refused for good.
#pragma once

namespace haripon {

inline constexpr unsigned long kAccessDenied = 5;       // ERROR_ACCESS_DENIED
inline constexpr unsigned long kSharingViolation = 32;  // ERROR_SHARING_VIOLATION
inline constexpr unsigned long kLockViolation = 33;     // ERROR_LOCK_VIOLATION
// A file online only, whose synchronising service is starting, busy or cut off.
inline constexpr unsigned long kCloudFileProviderNotRunning = 362;
inline constexpr unsigned long kCloudFileNetworkUnavailable = 388;
inline constexpr unsigned long kCloudFileUnsuccessful = 389;  // any failure of the service
inline constexpr unsigned long kCloudFileInUse = 391;
inline constexpr unsigned long kCloudFileRequestAborted = 393;
inline constexpr unsigned long kCloudFileRequestCanceled = 398;
inline constexpr unsigned long kCloudFileProviderTerminated = 404;
inline constexpr unsigned long kCloudFileRequestTimeout = 426;

// A file online only that its synchronising service has not brought yet (at log-on, before
// the service runs): it comes by itself later.
constexpr bool CloudFileNotThereYet(unsigned long error) {
    switch (error) {
        case kCloudFileProviderNotRunning:
        case kCloudFileNetworkUnavailable:
        case kCloudFileUnsuccessful:
        case kCloudFileInUse:
        case kCloudFileRequestAborted:
        case kCloudFileRequestCanceled:
        case kCloudFileProviderTerminated:
        case kCloudFileRequestTimeout:
            return true;
        default:
            return false;
    }
}

// True when the refusal passes and is worth trying again: a sharing or lock violation, a
// cloud file not there yet, and, for a write where `accessDeniedPasses`, access denied (what
// a file another program has open, or is deleting, gives).
constexpr bool RefusalPasses(unsigned long error, bool writing, bool accessDeniedPasses) {
    switch (error) {
        case kSharingViolation:
        case kLockViolation:
            return true;
        case kAccessDenied:
            return writing && accessDeniedPasses;
        default:
            return CloudFileNotThereYet(error);
    }
}

}  // namespace haripon
