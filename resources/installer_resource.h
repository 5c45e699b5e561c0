// Resource ids of installer.exe.
#pragma once

#define IDI_INSTALLER 1
#define IDD_INSTALL 101
