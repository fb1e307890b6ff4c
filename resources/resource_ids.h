// Ids and window titles shared by vorlane.rc, the code, the GUI test driver
// and the scripts (which read the #define lines of this file).
#pragma once

// Dialog templates
#define IDD_ABOUT 100
#define IDD_MAIN 102
#define IDD_ROUTER_STATUS 140
#define IDD_INTRUDERS 150
#define IDD_SYSLOG 160

// Icons, clip, sound, strings
#define IDI_NORMAL 128
#define IDI_ALERT 132
#define IDI_BLIND 129
#define IDI_IDLE 130
#define IDR_SESSION_CLIP 139
#define IDR_INTRUDER_SOUND 131
#define IDS_ABOUTBOX 101

// Labels and group boxes that the code never addresses
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Main window controls
#define IDC_LOG_TO_FILE 1000
#define IDC_KEEP_ANIMATION 1001
#define IDC_ALERT 1002
#define IDC_LOG_SCREEN 1003
#define IDC_ONLY_INTRUSION 1004
#define IDC_AUTO_START 1005
#define IDC_REFRESH_RATE 1006
#define IDC_REMEMBER_DATE 1007
#define IDC_ROUTER_ADDRESS 1008
#define IDC_PASSWORD 1009
#define IDC_START_STOP 1011
#define IDC_STATUS_LINE 1014
#define IDC_CLEAR_SCREEN 1015
#define IDC_LAUNCH_AT_STARTUP 1016
#define IDC_OPEN_LOG_FILE 1017
#define IDC_GET_IT_NOW 1018
#define IDC_DELETE_LOG_FILE 1019
#define IDC_SHUTDOWN 1022
#define IDC_LAUNCH_EXTERNAL 1024
#define IDC_EXTERNAL_ARGUMENT 1025
#define IDC_AUTOFILL 1026
#define IDC_CHOOSE_EXTERNAL 1027
#define IDC_AUTO_LAUNCH 1028
#define IDC_SESSION_ANIMATION 1029
#define IDC_SHOW_STATUS 1032
#define IDC_SHORT_FORMAT 1044
#define IDC_LONG_FORMAT 1045
#define IDC_LOG_GMT 1046
#define IDC_WINDOWS_FORMAT 1047

// Router status window controls
#define IDC_ROUTER_STATUS_EXTERNAL_ADDRESS 1033
#define IDC_ROUTER_STATUS_PRINTER 1034
#define IDC_ROUTER_STATUS_CONNECTION_TIME 1035
#define IDC_ROUTER_STATUS_DNS 1036
#define IDC_ROUTER_STATUS_GATEWAY 1037
#define IDC_ROUTER_STATUS_SUBNET_MASK 1038
#define IDC_ROUTER_STATUS_LOCAL_ADDRESS 1039
#define IDC_ROUTER_STATUS_MESSAGE 1040
#define IDC_ROUTER_STATUS_REFRESH 1041
#define IDC_ROUTER_STATUS_CONNECTION_LABEL 1042
#define IDC_ROUTER_STATUS_WAN_TYPE 1043

// Intruders window controls
#define IDC_INTRUDERS_LIST 1048
#define IDC_INTRUDERS_MESSAGE 1049
#define IDC_INTRUDERS_COPY 1050
#define IDC_INTRUDERS_LAUNCH 1051
// ...its chart and the controls that calm the alerts
#define IDC_INTRUDERS_CHART 1060
#define IDC_INTRUDERS_CHART_TITLE 1061
#define IDC_INTRUDERS_ALL 1062
#define IDC_INTRUDERS_IGNORE 1063
#define IDC_INTRUDERS_IGNORED 1064
#define IDC_INTRUDERS_IGNORE_BOX 1065
#define IDC_INTRUDERS_IGNORE_ADD 1066
#define IDC_INTRUDERS_IGNORE_REMOVE 1067
#define IDC_INTRUDERS_QUIET 1068
#define IDC_INTRUDERS_QUIET_MINUTES 1069
#define IDC_INTRUDERS_SAVE_CSV 1070

// Syslog window controls
#define IDC_SYSLOG_ENABLED 1060
#define IDC_SYSLOG_PORT 1061
#define IDC_SYSLOG_ROUTER_ONLY 1062
#define IDC_SYSLOG_ANY_SENDER 1063
#define IDC_SYSLOG_STATUS 1064

// Commands
#define IDM_ABOUTBOX 16
#define ID_TRAY_PREFERENCES 32772
#define ID_TRAY_VIEW_LOG 32773
#define ID_TRAY_SHUTDOWN 32774
#define ID_TRAY_DELETE_LOG 32775
#define ID_TRAY_INTRUDERS 32776
#define ID_TRAY_POPUP 32777
#define ID_TRAY_SYSLOG 32780
#define ID_TRAY_POPUP_TROUBLE 32778
#define ID_ABOUT_COMMAND 100

// Timers, the tray icon, and the main window's private messages: in the
// WM_APP range, since a dialog's own messages take the WM_USER range
// (WM_USER + 1 is DM_SETDEFID). WM_APP + 3 carries the tasks that workers
// post to the GUI thread (src/ports/system_port_win32.h).
#define SESSION_TIMER_ID 22132
#define SESSION_TIMER_PERIOD_MS 200
#define TRAY_RETRY_TIMER_ID 22133
#define TRAY_RETRY_PERIOD_MS 2000
// Refreshes the Syslog window's status line while it is shown.
#define SYSLOG_STATUS_TIMER_ID 22140
#define SYSLOG_STATUS_PERIOD_MS 1000
#define WM_TRAY_CALLBACK (WM_APP + 1)
#define TRAY_ICON_ID 1
// Posted to itself while loading when the session is to start by itself.
#define WM_AUTO_START (WM_APP + 2)

// The program's key of options and its value under the system's Run key.
#define OPTIONS_KEY_PATH "SOFTWARE\\Kestrine\\Quillmere"
#define RUN_VALUE_NAME "Quillmere"

// Window titles; a second copy and the installer find the first by the main
// window's title and its class of its own.
#define MAIN_WINDOW_TITLE "Vorlane Access"
#define MAIN_WINDOW_CLASS "VorlaneMainWindow"
#define STATUS_WINDOW_TITLE "Router Status"
#define ABOUT_BOX_TITLE "About Vorlane"
#define INTRUDERS_WINDOW_TITLE "Intruders"
#define SYSLOG_WINDOW_TITLE "Syslog"
// The window class of the Intruders window's chart of attempts per day.
#define INTRUDERS_CHART_CLASS "VorlaneAttemptChart"
