// The texts that code asks for by name (Get_Text). Dialog control ids (1000
// and above) share the same number space in the text tables.
#pragma once

#include <cstdint>

enum ELang_Item : std::int32_t {
    LI_OPEN_FILE = 1,
    LI_MSI_FILE_FILTER = 2,
    LI_COMPLETING_INSTALLATION = 3,
    LI_SAME_VERSION_INSTALLED = 4,
    LI_CLOSE = 5,
    LI_RETRY = 6,
    LI_ERROR = 7,
    LI_INVALID_CONNECTION_URL = 8,
    LI_DOWNLOAD_INIT_FAILED = 9,
    LI_PACKAGE_SAVE_FAILED = 10,
    LI_DOWNLOAD_FAILED = 11,      // an error code follows
    LI_SERVER_UNAVAILABLE = 12,   // an error code follows
    LI_INVALID_PACKAGE_NAME = 13,
    LI_ANOTHER_INSTALLATION = 14,
    LI_INSTALLER_SERVICE_UNAVAILABLE = 15,
    LI_STARTING_DOWNLOAD = 16,
    LI_INITIALIZING_PACKAGE = 17,
    LI_HELP = 18,
    LI_HELP_FILES = 19,

    // Feature slides of the download and install page: a heading and its lines.
    LI_SLIDE1_HEADING = 20,
    LI_SLIDE1_LINE1 = 21,
    LI_SLIDE1_LINE2 = 22,
    LI_SLIDE1_LINE3 = 23,
    LI_SLIDE2_HEADING = 24,
    LI_SLIDE2_LINE1 = 25,
    LI_SLIDE2_LINE2 = 26,
    LI_SLIDE2_LINE3 = 27,
    LI_SLIDE3_HEADING = 28,
    LI_SLIDE3_LINE1 = 29,
    LI_SLIDE3_LINE2 = 30,
    LI_SLIDE3_LINE3 = 31,
    LI_SLIDE4_HEADING = 32,
    LI_SLIDE4_LINE1 = 33,
    LI_SLIDE4_LINE2 = 34,
    LI_SLIDE4_LINE3 = 35,
    LI_SLIDE5_HEADING = 36,
    LI_SLIDE5_LINE1 = 37,
    LI_SLIDE5_LINE2 = 38,
    LI_SLIDE5_LINE3 = 39,
    LI_SLIDE5_LINE4 = 40,  // empty in every language
    LI_SLIDE6_HEADING = 41,
    LI_SLIDE6_LINE1 = 42,
    LI_SLIDE6_LINE2 = 43,
    LI_SLIDE6_LINE3 = 44,
    LI_SLIDE7_HEADING = 45,
    LI_SLIDE7_LINE1 = 46,
    LI_SLIDE7_LINE2 = 47,
    LI_SLIDE7_LINE3 = 48,

    // Captions put on the navigation buttons.
    LI_FINISH = 49,
    LI_SKIP = 50,
    LI_REINSTALL = 51,

    // Features: a name and its description.
    LI_DOCUMENTATION = 52,
    LI_DOCUMENTATION_DESCRIPTION = 53,
    LI_WORD_INTEGRATION = 54,
    LI_WORD_INTEGRATION_DESCRIPTION = 55,
    LI_EXCEL_INTEGRATION = 56,
    LI_EXCEL_INTEGRATION_DESCRIPTION = 57,
    LI_OUTLOOK_INTEGRATION = 58,
    LI_OUTLOOK_INTEGRATION_DESCRIPTION = 59,
    LI_POWERPOINT_INTEGRATION = 60,
    LI_POWERPOINT_INTEGRATION_DESCRIPTION = 61,
    LI_PUBLISHER_INTEGRATION = 62,
    LI_PUBLISHER_INTEGRATION_DESCRIPTION = 63,
    LI_SHELL_INTEGRATION = 64,
    LI_SHELL_INTEGRATION_DESCRIPTION = 65,
    LI_IE_INTEGRATION = 66,
    LI_IE_INTEGRATION_DESCRIPTION = 67,
    LI_FIREFOX_INTEGRATION = 68,
    LI_FIREFOX_INTEGRATION_DESCRIPTION = 69,
    LI_OUTLOOK_PREVIEWER = 70,
    LI_OUTLOOK_PREVIEWER_DESCRIPTION = 71,

    LI_INSTALLATION_TYPE = 72,

    // Download failures and states of networks as users have them, and the
    // refusal of a package that cannot be verified.
    LI_PROXY_SIGN_IN_REQUIRED = 73,
    LI_RECONNECTING = 74,
    LI_SERVER_ERROR_STATUS = 75,
    LI_DISK_WRITE_FAILED = 76,
    LI_PACKAGE_NOT_VERIFIED = 77,
};

// Every constant from the first to the last must stand in the text tables;
// the language manager checks that as it starts.
constexpr std::int32_t kFirstLangItem = LI_OPEN_FILE;
constexpr std::int32_t kLastLangItem = LI_PACKAGE_NOT_VERIFIED;
