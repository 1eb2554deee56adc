// The switches of an unattended installation, read by the parser and by the
// help text alike.
#pragma once

#include <array>

namespace InstallSwitchTable {

enum class Switch { Quiet, Passive, Log, NoRestart, Lang, Dir, Features, Layout, Package, NoReports, Help, Count };

struct Entry {
    Switch which;
    std::array<const char16_t*, 4> names;  // lower case, without the prefix; the first is the one to show
    const char16_t* value;                 // the value's placeholder; null for a switch without value
    const char16_t* help;
};

inline constexpr Entry kEntries[] = {
    {Switch::Quiet, {u"quiet", u"q", u"s", u"silent"}, nullptr,
     u"No window or question of any kind; the typical features unless /features says otherwise"},
    {Switch::Passive, {u"passive"}, nullptr, u"Only a small progress window with Cancel; closes itself at the end"},
    {Switch::Log, {u"log"}, u"FILE", u"Writes the installation log to FILE"},
    {Switch::NoRestart, {u"norestart"}, nullptr, u"Never restarts the computer"},
    {Switch::Lang, {u"lang"}, u"CODE",
     u"Language of the reports, the progress window and the product: en, de, fr, es, it, ja"},
    {Switch::Dir, {u"dir"}, u"PATH", u"Installs into the folder PATH"},
    {Switch::Features, {u"features"}, u"LIST", u"Installs these features (comma-separated names, listed below)"},
    {Switch::Layout, {u"layout"}, u"DIR",
     u"Downloads and verifies the package into DIR with a copy of the installer; installs nothing"},
    {Switch::Package, {u"package"}, u"FILE", u"Installs from the package FILE instead of downloading it"},
    {Switch::NoReports, {u"noreports"}, nullptr, u"Sends no statistics reports and no log lines to the log handler"},
    {Switch::Help, {u"?", u"help"}, nullptr, u"Shows this text"},
};

}  // namespace InstallSwitchTable
