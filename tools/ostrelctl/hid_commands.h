#pragma once

namespace ostrelctl {

// `ostrelctl devices`: every HID interface of the system as JSON, by member index: path, vendor
// and product id, the collection's usage, the report lengths Windows would show, whether it opens
// and why not. Exit 1 when the system's device list cannot be read.
int Devices();

// `ostrelctl status`: queries the mouse's status on the handle the program would use (the wired
// mouse's feature interface, else the receiver's) and prints it as `status decode` does. Exit 1
// with the reason when no mouse is found or it does not answer.
int Status();

}  // namespace ostrelctl
