#pragma once

// Numeric ids of every resource, command, control, timer and private message of Tellwick.
// Ids that name several kinds of resource get one name per kind, all with the same value.

// Private window messages of the main frame (custom QEvent types with these numbers)
inline constexpr int WM_USER = 1024;
inline constexpr int WM_TRAY_NOTIFY = WM_USER + 10;
inline constexpr int WM_TOGGLE_CAPTION = WM_USER + 11;
inline constexpr int WM_FLASH_TRAY = WM_USER + 12;

// Menus, toolbar and accelerator table
inline constexpr int IDR_MAINFRAME = 140;
inline constexpr int IDR_COLOR_MENU = 144;
inline constexpr int IDR_POPUP_MENU = 157;
inline constexpr int IDR_CONTEXT_MENU = 160;

// Icons
inline constexpr int IDI_MAINFRAME = 140;
inline constexpr int IDI_TRAY_FLASH_1 = 141;
inline constexpr int IDI_TRAY_FLASH_2 = 142;
inline constexpr int IDI_KEYWORDS = 145;
inline constexpr int IDI_ALERTS = 146;
inline constexpr int IDI_SEND_MESSAGE = 147;
inline constexpr int IDI_BROWSE = 158;
inline constexpr int IDI_COLOR = 163;
inline constexpr int IDI_DISPLAY = 165;
inline constexpr int IDI_OPTIONS = 167;
inline constexpr int IDI_DELETE = 174;
inline constexpr int IDI_PROPERTIES = 175;
inline constexpr int IDI_ADD = 176;
inline constexpr int IDI_TASK = 177;

// Bitmaps
inline constexpr int IDB_MAINFRAME = 140;

// Dialog templates and property pages
inline constexpr int IDD_SEND_MESSAGE = 143;
inline constexpr int IDD_GENERAL_PAGE = 150;
inline constexpr int IDD_ALERT_PAGE = 156;
inline constexpr int IDD_CREDITS = 159;
inline constexpr int IDD_ALERT = 162;
inline constexpr int IDD_KEYWORD = 169;
inline constexpr int IDD_ABOUTBOX = 184;

// Standard dialog buttons
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Dialog controls
inline constexpr int IDC_MAX_LINES = 185;
inline constexpr int IDC_WEB_ADDRESS = 186;
inline constexpr int IDC_MAX_LINES_SPIN = 187;
inline constexpr int IDC_RUN_AT_STARTUP = 189;
inline constexpr int IDC_PRODUCT_NAME = 190;
inline constexpr int IDC_CREDITS_DISPLAY = 191;
inline constexpr int IDC_ADD_DATE_TIME = 192;
inline constexpr int IDC_VERSION = 193;
inline constexpr int IDC_KEYWORD_LIST = 195;
inline constexpr int IDC_TASK = 196;
inline constexpr int IDC_FAST_MARK = 198;
inline constexpr int IDC_COMPUTER = 199;
inline constexpr int IDC_DESCRIPTION = 200;
inline constexpr int IDC_KEYWORD = 201;
inline constexpr int IDC_ALERT_LIST = 202;
inline constexpr int IDC_ACTIVE = 203;
inline constexpr int IDC_CHECK_ALERTS = 204;
inline constexpr int IDC_PHYSICAL_MEMORY = 207;
inline constexpr int IDC_FREE_DISK_SPACE = 208;
inline constexpr int IDC_TEST = 211;
inline constexpr int IDC_ADD = 212;
inline constexpr int IDC_PROPERTIES = 213;
inline constexpr int IDC_DELETE = 214;
inline constexpr int IDC_BROWSE = 1002;
inline constexpr int IDC_LOG_TO_FILE = 1011;
inline constexpr int IDC_LOG_FILE_NAME = 1012;
inline constexpr int IDC_FLASH_TRAY_ICON = 1013;
inline constexpr int IDC_MAKE_VISIBLE = 1014;
inline constexpr int IDC_MESSAGE = 1015;
inline constexpr int IDC_FIND_COMPUTER = 1016;
inline constexpr int IDC_COLOR = 1017;
inline constexpr int IDC_LOG_FILE_NAME_LABEL = 1018;

// Program commands (main menu, toolbar, accelerators, context menu, tray menu)
inline constexpr int ID_TEST_MESSAGES = 216;
inline constexpr int ID_ALWAYS_ON_TOP = 218;
inline constexpr int ID_FONT = 219;
inline constexpr int ID_CLEAR = 220;
inline constexpr int ID_PROPERTIES = 222;
inline constexpr int ID_FAST_MARK = 224;
inline constexpr int ID_HIDE = 229;
inline constexpr int ID_SEND_MESSAGE = 32780;
inline constexpr int ID_HELP_TOPICS = 32793;
inline constexpr int ID_HELP_SEARCH = 32794;
inline constexpr int ID_HELP_USING_HELP = 32795;

// Colour menu commands of the Send Message dialog
inline constexpr int ID_COLOR_BLACK = 32781;
inline constexpr int ID_COLOR_RED = 32782;
inline constexpr int ID_COLOR_GREEN = 32783;
inline constexpr int ID_COLOR_BLUE = 32784;
inline constexpr int ID_COLOR_YELLOW = 32785;
inline constexpr int ID_COLOR_ORANGE = 32786;
inline constexpr int ID_COLOR_PURPLE = 32787;
inline constexpr int ID_COLOR_BROWN = 32788;
inline constexpr int ID_COLOR_WHITE = 32789;

// Framework commands, with the framework's standard values
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;

// System command that minimising sends to the frame
inline constexpr int SC_MINIMIZE = 61472;

// Child window ids of the main frame and its status-bar indicator
inline constexpr int ID_SEPARATOR = 0;
inline constexpr int AFX_IDW_TOOLBAR = 59392;
inline constexpr int AFX_IDW_STATUS_BAR = 59393;
inline constexpr int AFX_IDW_REBAR = 59396;
inline constexpr int AFX_IDW_PANE_FIRST = 59648;

// Platform cursor id of the standard arrow
inline constexpr int IDC_ARROW = 32512;

// String table entries of their own (prompts and tool tips use the command or control id)
inline constexpr int IDS_MAINFRAME = 140;
inline constexpr int IDS_PROPERTIES_CAPTION = 149;
inline constexpr int IDS_PHYSICAL_MEMORY = 151;
inline constexpr int IDS_SOCKETS_INIT_FAILED = 152;
inline constexpr int IDS_FREE_DISK_SPACE = 153;
inline constexpr int IDS_DISK_UNAVAILABLE = 154;
inline constexpr int IDS_ERROR_READING_MAILSLOT = 225;
inline constexpr int IDS_UNABLE_TO_CREATE_MAILSLOT = 226;
inline constexpr int IDS_CANT_WRITE_MAILSLOT = 227;
inline constexpr int IDS_TASK_STARTS_SKIPPED = 230;
inline constexpr int IDS_DATAGRAMS_DROPPED = 231;
inline constexpr int IDS_TASK_STARTS_FAILED = 232;

// Framework standard strings, with the framework's standard values
inline constexpr int AFX_IDS_APP_TITLE = 57344;
inline constexpr int AFX_IDS_IDLEMESSAGE = 57345;

// Timers
inline constexpr int ID_POLL_TIMER = 102;
inline constexpr int ID_CREDITS_TIMER = 150;
inline constexpr int ID_FLASH_TIMER = 4567;

// Id of the notification-area icon; its pop-up menu has the same id
inline constexpr int ID_TRAY_ICON = 157;
