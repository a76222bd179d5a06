// SPDX-License-Identifier: GPL-3.0-or-later
// The game table as data: every control with its parent, kind, place at the
// 800 x 600 design size, colours, bevel, font and cursor, in the order it is
// made; the menu with its function keys; and which text of the language goes
// into which control. One builder makes the controls from these tables.
#pragma once

#include <QString>
#include <Qt>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "contract/controls.h"
#include "ui/widgets.h"
#include "ui/window_texts.h"

class QAction;
class QMainWindow;
class QMenu;

namespace brisko {

// A colour of the table written as #RRGGBB, kept as the game keeps colours.
constexpr Colour rrggbb(uint32_t value) {
    return rgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}
// Not a colour of its own: the style's button face.
inline constexpr Colour kButtonFace = Colour{1} << 24;
inline constexpr Colour kBlack = rrggbb(0x000000);
inline constexpr Colour kYellow = rrggbb(0xFFFF00);

inline constexpr const char* kSansSerif = "MS Sans Serif";
inline constexpr const char* kSerif = "Times New Roman";
inline constexpr const char* kComic = "Comic Sans MS";

enum class Kind : uint8_t {
    Panel,        // a coloured caption with a bevel
    PushPanel,    // a panel that is pressed like a button
    Button,       // a push button
    SpeedButton,  // a flat button of the tool bar
    Picture,      // a card picture
};

// The tool bar's own pictures; the others show a letter.
enum class SpeedIcon : uint8_t { None, NewGame, ChangeGame, Help };

struct DesignRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct DesignFont {
    const char* family = nullptr;  // none: the parent's font
    int pixels = 0;
    bool bold = false;
};

// One control: what it is, where it sits in its parent at design size and how
// it looks. Rows are written as panel(...), then the modifiers that apply.
struct ControlPlan {
    std::string_view name{};
    std::string_view parent{};
    Kind kind = Kind::Panel;
    DesignRect rect{};
    std::optional<Colour> colour{};  // the background
    Panel::Bevel bevel = Panel::Bevel::Raised;
    DesignFont font{};
    std::optional<Colour> textColour{};
    std::optional<Colour> face{};  // a push button's face
    std::optional<Qt::CursorShape> cursor{};
    std::optional<Qt::FocusPolicy> focus{};
    SpeedIcon icon = SpeedIcon::None;
    std::string_view caption{};  // one that does not depend on the language
    bool wordWrap = false;
    bool hidden = false;  // at creation

  private:
    // Defined before its callers, for compilers that want it so in constant
    // expressions.
    template <class T>
    constexpr ControlPlan with(T ControlPlan::*field, T value) const {
        ControlPlan plan = *this;
        plan.*field = value;
        return plan;
    }

  public:
    constexpr ControlPlan lowered() const {
        return with(&ControlPlan::bevel, Panel::Bevel::Lowered);
    }
    constexpr ControlPlan framed() const { return with(&ControlPlan::bevel, Panel::Bevel::Framed); }
    constexpr ControlPlan flat() const { return with(&ControlPlan::bevel, Panel::Bevel::None); }
    constexpr ControlPlan withFont(DesignFont f) const { return with(&ControlPlan::font, f); }
    constexpr ControlPlan withTextColour(Colour c) const {
        return with(&ControlPlan::textColour, std::optional(c));
    }
    constexpr ControlPlan withFace(Colour c) const {
        return with(&ControlPlan::face, std::optional(c));
    }
    constexpr ControlPlan withCaption(std::string_view text) const {
        return with(&ControlPlan::caption, text);
    }
    constexpr ControlPlan wrapped() const { return with(&ControlPlan::wordWrap, true); }
    constexpr ControlPlan hiddenAtStart() const { return with(&ControlPlan::hidden, true); }
};

// One command of the menu bar; an empty name is a separator.
struct MenuItemPlan {
    std::string_view menu;
    std::string_view name;
    Qt::Key key = Qt::Key_unknown;
    bool checkable = false;  // the check mark shows an option
};

// Where a text of the language goes: a menu's title, a menu command, a
// control's hint or its caption.
enum class TextPlace : uint8_t { MenuTitle, Command, Hint, Caption };

struct TextTarget {
    std::string_view name;
    WindowTxt key;
    TextPlace place;
};

// The menu and the controls of the game window, made from the tables above
// and found again by object name.
class TableLayout {
  public:
    // The menu bar of `window`, its commands owned by the window.
    void buildMenu(QMainWindow& window);
    // Every control, under the areas already made and named ("clientArea",
    // "tableArea").
    void buildControls(QWidget* clientArea, QWidget* tableArea);
    // The language's texts into the menu and the controls.
    void applyTexts(const WindowTexts& texts) const;

    // By object name; null when there is none.
    QWidget* widget(std::string_view name) const;
    QWidget& at(std::string_view name) const;
    QAction& action(std::string_view name) const;
    QMenu& menu(std::string_view name) const;

  private:
    QWidget* make(const ControlPlan& plan);

    std::map<std::string, QWidget*, std::less<>> widgets_;
    std::map<std::string, QAction*, std::less<>> actions_;
    std::map<std::string, QMenu*, std::less<>> menus_;
};

}  // namespace brisko
