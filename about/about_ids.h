// Resource and control identifiers of the About box.
#pragma once

#define IDD_ABOUT 7000
#define IDB_PORTRAIT 7001
#define IDC_WEB_PAGE 7003
#define IDC_SYSTEM_INFO 7004
#define IDC_BUILD_LINE 7005
#define IDC_CREDITS 7008
#define IDC_PRODUCT 7009
#define IDC_COPYRIGHT 7010
#define IDC_DESCRIPTION 7011
#define IDS_COMPONENT_NAME 100
#define IDS_WEB_PAGE 8000
#define ID_CREDITS_TIMER 1500
