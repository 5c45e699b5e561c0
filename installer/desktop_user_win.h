// The user an installation is for: the one whose desktop shell is running. Started normally
// the installer has that user's own rights and nothing here changes what it does. Started
// elevated ("Run as administrator", perhaps with another account's password), its own profile
// and token may be an administrator's, and the user's own unelevated programs control the
// folders it would write into: it does not install then, but starts itself again through the
// desktop's shell, with the shell's token (installer::elevatedStartAction).
#pragma once

#include "framework/handles_win.h"
#include "installer/install_paths.h"

#include <string>

class DesktopUser {
public:
    DesktopUser();

    bool elevated() const { return elevated_; }

    // What this start does: install, start itself again as the desktop's user, or refuse.
    installer::ElevatedStart action() const;

    // Asks the desktop's shell to start the program with the parameters, as the shell's user.
    bool restartThroughShell(const std::string& program, const std::string& parameters,
                             const std::string& folder) const;

    // Starts a program with the default verb in its folder, as the user: an installer that is
    // elevated while the desktop's shell is not asks the shell to start it.
    bool start(const std::string& program, const std::string& folder) const;

private:
    bool elevated_ = false;
    bool shellElevated_ = false;
    bool shellIsThisAccount_ = false;
    KernelHandle shellToken_;
};
