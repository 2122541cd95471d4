// A network of the test's own: this process (and whatever it starts from now
// on) moves into new network and mount namespaces, with only a loopback
// interface, up, and an empty folder of the test's over /run, so that daemons
// started here reach no other host and leave their files in the test's folder.
// Without root, a user namespace maps the user to root, so that the daemons
// and the printer's ports (161, 9100) work all the same.
#pragma once

#include <filesystem>
#include <string>

// Must run before the process starts any thread. False, with the reason in
// *whyNot, when the namespaces cannot be made.
bool EnterPrivateNetwork(const std::filesystem::path& runFolder, std::string* whyNot);
