// The reasons the program's own checks give in an error text (UTF-8, as error texts are),
// where the system gives none. The program sets them in its user's language at its start.
#pragma once

#include <string>

namespace haripon {

struct ReasonTexts {
    std::string NotAFileOnDisk = "Not a file on disk";
    std::string TooLargeToRead = "Larger than any file the program reads (64 MB)";
    std::string SystemError = "System error";  // the error's number follows
    std::string UnknownError = "Unknown error";
    std::string BitmapNotValid = "Bitmap image is not valid";
    std::string NoMemoryForPicture = "Not enough memory for the picture";
};

const ReasonTexts& Reasons();
void SetReasons(ReasonTexts texts);

}  // namespace haripon
