// The designs of the console's two forms: each page, as the user sees it, is tidy (everything
// inside its container, nothing on top of anything else, tab order in reading order, captions
// that are there, fit and do not clash).
#include "src/shell/form_designs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/controls/form.h"

namespace passaggio {
namespace {

using namespace platform::controls;

struct Rect {
  int left, top, right, bottom;
};

Rect onForm(const Control& control) {
  int left = control.left();
  int top = control.top();
  for (const Control* container = control.parent(); container != nullptr; container = container->parent()) {
    left += container->left();
    top += container->top();
  }
  return {left, top, left + control.width(), top + control.height()};
}

bool overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool within(const Control& control, const Control* ancestor) {
  for (const Control* c = control.parent(); c != nullptr; c = c->parent()) {
    if (c == ancestor) return true;
  }
  return false;
}

//! The window's client area: the design size less the borders and the title bar.
Rect clientArea(const Form& form) { return {0, 0, form.width() - 120, form.height() - 525}; }

const Control* frameOf(const Control& control) {
  for (const Control* c = control.parent(); c != nullptr; c = c->parent()) {
    if (c->kind() == ControlKind::Frame) return c;
  }
  return nullptr;
}

bool visibleUpTo(const Control& control, const Control* stop) {
  for (const Control* c = &control; c != nullptr && c != stop; c = c->parent()) {
    if (!c->isVisible()) return false;
  }
  return true;
}

//! What the user sees when `page` is the page shown (null: a form without pages): the page
//! with what is visible in it, and the visible controls of the form around the pages. The
//! processing buttons come with the item pages only: the console hides them on the others.
std::vector<const Control*> shownWith(const Form& form, const Control* page) {
  static const std::set<std::string> processing{"CMD_ELABORA", "CMD_PARAM", "CMD_AGGSTATI"};
  const bool itemPage = page != nullptr && page->name().starts_with("FRAME_INTERROGAZ");
  std::vector<const Control*> shown;
  for (const auto& control : form.controls()) {
    const Control* c = control.get();
    if (c == page) {
      shown.push_back(c);
    } else if (c->kind() == ControlKind::Frame) {
      continue;  // another page
    } else if (frameOf(*c) == page) {
      if (visibleUpTo(*c, page)) shown.push_back(c);
    } else if (frameOf(*c) == nullptr && c->isVisible() && (itemPage || !processing.contains(c->name()))) {
      shown.push_back(c);
    }
  }
  return shown;
}

std::vector<const Control*> pages(const Form& form) {
  std::vector<const Control*> frames;
  for (const auto& control : form.controls()) {
    if (control->kind() == ControlKind::Frame) frames.push_back(control.get());
  }
  if (frames.empty()) frames.push_back(nullptr);  // a dialog is one page
  return frames;
}

std::string captionText(const std::string& caption) {
  std::string text;
  for (char c : caption) {
    if (c != '&') text += c;
  }
  return text;
}

int characters(const std::string& text) {
  return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

//! A generous average width of a character of the forms' font.
constexpr int kTwipsPerCharacter = 85;

void expectUserCaption(const std::string& where, const std::string& caption, int room) {
  SCOPED_TRACE(where + ": \"" + caption + "\"");
  const std::string text = captionText(caption);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.front(), ' ');
  EXPECT_NE(text.back(), ' ');
  EXPECT_LE(std::count(caption.begin(), caption.end(), '&'), 1);
  EXPECT_LE(characters(text) * kTwipsPerCharacter, room) << "the caption does not fit";
}

class Designs : public ::testing::Test {
 protected:
  Form console{designFRMMG_PASSAGGIO()};
  Form dialog{designFRMMG_NOVALIDAZ()};
};

// --- Tidy pages -------------------------------------------------------------------------------

void expectTidy(const Form& form) {
  const Rect client = clientArea(form);
  for (const auto& control : form.controls()) {
    const Control* parent = control->parent();
    const Rect outer = parent == nullptr ? client : onForm(*parent);
    EXPECT_TRUE(inside(onForm(*control), outer)) << control->name() << " sticks out of its container";
    EXPECT_GT(control->width(), 0) << control->name();
    EXPECT_GT(control->height(), 0) << control->name();
  }

  std::set<int> tabs;
  for (const auto& control : form.controls()) {
    EXPECT_TRUE(tabs.insert(control->tabIndex()).second) << control->name() << " repeats a tab index";
  }

  for (const Control* page : pages(form)) {
    SCOPED_TRACE(page == nullptr ? form.name() : page->name());
    const std::vector<const Control*> shown = shownWith(form, page);
    for (std::size_t i = 0; i < shown.size(); ++i) {
      for (std::size_t j = i + 1; j < shown.size(); ++j) {
        const Control& a = *shown[i];
        const Control& b = *shown[j];
        if (within(a, &b) || within(b, &a)) continue;
        EXPECT_FALSE(overlap(onForm(a), onForm(b))) << a.name() << " and " << b.name() << " overlap";
      }
    }

    // Tab stops in reading order: row by row (tops within 100 twips share a row), left to right.
    std::vector<const Control*> stops;
    std::copy_if(shown.begin(), shown.end(), std::back_inserter(stops),
                 [](const Control* c) { return c->canTakeFocus(); });
    std::sort(stops.begin(), stops.end(),
              [](const Control* a, const Control* b) { return a->tabIndex() < b->tabIndex(); });
    for (std::size_t i = 1; i < stops.size(); ++i) {
      const Rect before = onForm(*stops[i - 1]);
      const Rect after = onForm(*stops[i]);
      const bool sameRow = std::abs(before.top - after.top) <= 100;
      EXPECT_TRUE(sameRow ? before.left < after.left : before.top < after.top)
          << stops[i - 1]->name() << " comes before " << stops[i]->name() << " in tab order";
    }

    // Captions the user reads, and access keys that do not clash on one page.
    std::set<char> keys;
    for (const Control* control : shown) {
      const std::string& caption = control->caption();
      switch (control->kind()) {
        case ControlKind::Label: expectUserCaption(control->name(), caption, control->width()); break;
        case ControlKind::Button:
        case ControlKind::GroupBox: expectUserCaption(control->name(), caption, control->width() - 240); break;
        case ControlKind::CheckBox: expectUserCaption(control->name(), caption, control->width() - 300); break;
        default: break;
      }
      const std::size_t amp = caption.find('&');
      if (amp != std::string::npos && amp + 1 < caption.size()) {
        EXPECT_TRUE(keys.insert(static_cast<char>(std::tolower(caption[amp + 1]))).second)
            << control->name() << " repeats an access key";
      }
    }
  }
}

TEST_F(Designs, LayEveryPageOutTidily) {
  expectTidy(console);
  expectTidy(dialog);
  expectUserCaption("console", console.caption(), console.width());
  expectUserCaption("dialog", dialog.caption(), dialog.width());
  for (const Control* page : pages(console)) expectUserCaption(page->name(), page->caption(), page->width());
}

}  // namespace
}  // namespace passaggio
