#pragma once

#include "screens/ScreenId.h"

#include <array>

// The main window's navigation: five categories, each with its page title
// and the screen it opens, and the twenty screen buttons.
namespace catalog {

struct Category
{
    const char *icon;
    const char *text;       // translated (context "InfoCenterMgr")
    const char *pageTitle;  // Chinese texts are shown as they are
    bool pageTitleTranslated;
    ScreenId opens;
};

struct ScreenButton
{
    ScreenId id;
    int category;
    const char *caption;
    bool captionTranslated;
    const char *icon;
    const char *objectName;
};

extern const std::array<Category, 5> kCategories;
// In the order the buttons appear on their category pages.
extern const std::array<ScreenButton, kScreenCount> kButtons;

const ScreenButton &button(ScreenId id);

} // namespace catalog
