#include "lang/TextUses.h"

namespace kt {
namespace {

struct UseRange {
    int first;
    int last;
    const char* where;
};

// Ascending and without overlap; IDs between the ranges are not shown.
constexpr UseRange kUses[] = {
    {0, 8, "main window: step labels"},
    {9, 11, "main window: configuration banner"},
    {12, 14, "main window: hints of the icon buttons"},
    {15, 16, "main window: step buttons"},
    {17, 17, "main window: step button; update dialog: title"},
    {18, 18, "main window: error box of a step without a Project"},
    {19, 19, "main window: new version notice"},
    {20, 20, "main window: step button"},
    {22, 24, "main window: hints of the step buttons"},
    {26, 26, "main window: hint of a step button"},
    {33, 36, "main window: frame list step buttons and hints"},
    {81, 82, "main window: GSD step button and hint"},
    {83, 84, "main window: error box of an unreadable settings file"},
    {88, 92, "main window: error box of a Workspace that cannot be written"},
    {93, 95, "main window: question before Update Device without settings or frames"},
    {100, 104, "New Configuration dialog"},
    {105, 107, "New Configuration dialog: error boxes"},
    {108, 110, "New Configuration dialog: hints"},
    {111, 111, "New Configuration dialog: error box, second line"},
    {200, 207, "Open Configuration dialog"},
    {300, 321, "Software Options dialog"},
    {400, 417, "Set Communication dialog"},
    {500, 538, "Check Project window and findings"},
    {540, 568, "Check Project findings"},
    {570, 571, "question before the GSD step, the update and the hand-over"},
    {572, 579, "Check Project findings"},
    {580, 582, "question before the GSD step, the update and the hand-over: more errors"},
    {590, 590, "Check Project window: column of the findings export"},
    {600, 604, "main window: hand-over button, its folder chooser and messages"},
    {605, 664, "commissioning report"},
    {700, 730, "frame list dialogs: DBC import window and its messages"},
    {740, 774, "Compare Projects window and the diff command"},
    {800, 801, "Check Project findings"},
    {1500, 1502, "frame list dialogs: pasting rows"},
    {1503, 1504, "GSD step: question and error box"},
    {1506, 1513, "GSD step: error boxes"},
    {1614, 1620, "update dialog"},
    {1627, 1627, "update dialog: hint of the COM port refresh button"},
    {1632, 1635, "update dialog: hints"},
    {1639, 1644, "update dialog: message boxes"},
    {1645, 1648, "update dialog: description, labels and the automatic baud-rate entry"},
    {1700, 1739, "Receive Frames dialog"},
    {1744, 1751, "Receive Frames dialog: refused paste"},
    {1753, 1753, "Receive Frames dialog: hint of the Type keys"},
    {1800, 1843, "Send Frames dialog"},
    {1844, 1853, "Send Frames dialog: refused paste, hint of the Type keys"},
    {1900, 1922, "byte swap dialog"},
};

constexpr bool Ordered() {
    int previous = -1;
    for (const UseRange& r : kUses) {
        if (r.first <= previous || r.last < r.first) return false;
        previous = r.last;
    }
    return true;
}
static_assert(Ordered(), "text use ranges must be ascending and must not overlap");

} // namespace

const char* TextUse(int id) {
    for (const UseRange& r : kUses)
        if (id >= r.first && id <= r.last) return r.where;
    return nullptr;
}

} // namespace kt
