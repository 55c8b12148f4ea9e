// A settings file that is no text (a broken disk sector, a bad synchronisation) is never
// written over, nor merged, nor kept as a daily copy: it is set aside under a new name and the
// user told once; the file is then missing, and the next save writes the memos anew.
#pragma once

#include <string>

#include "platform/core/file_io.h"

namespace haripon {

enum class BrokenFile {
    None,      // the bytes are text (or there are none): use them
    SetAside,  // it was set aside: read on as if there were no file
    Held,      // it could not be set aside (held, a folder that takes no new names): write
               // nothing, try again with the next save
};

// What became of the settings file's bytes just read; `read` and `bytes` are those of a
// missing file once it is set aside.
BrokenFile SetAsideIfBroken(ReadResult& read, std::string& bytes);

// What the user is to be told of a broken file, once: the name it was set aside under, or
// that it could not be and is not written; empty when there is nothing to tell.
std::string SettingsSetAside();

// A new run: nothing told yet.
void ForgetBrokenFile();

}  // namespace haripon
