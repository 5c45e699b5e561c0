// Resource ids of installer.exe.
#pragma once

#define IDI_INSTALLER 1
#define IDD_INSTALL 101

// Controls of the install dialog.
#define IDC_INSTALL_FOLDER 1000
#define IDC_BROWSE_FOLDER 1001
#define IDC_SKIP_COPY 1002
#define IDC_ADD_TO_STARTUP 1003
#define IDC_ADD_TO_SENDTO 1004
#define IDC_INSTALL_GROUP 1005
