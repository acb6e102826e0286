#pragma once

#include <string>
#include <vector>

namespace ostrelctl {

// `ostrelctl frames [--sensor 0xNNNN] [--library FILE.mlf] HELD.psf PROFILE.psf`: the frames a
// switch from HELD to PROFILE sends to a virtual mouse, one line of 66 hex digits each. Exit 3
// with the violations on standard error when the mouse's decoder found any. Writes no file.
int Frames(const std::vector<std::string>& args);

// `ostrelctl status decode HEXBYTES`: a 33-byte status answer as the program reads it, as JSON.
int StatusDecode(const std::string& hex);

}  // namespace ostrelctl
