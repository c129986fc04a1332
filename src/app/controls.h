#pragma once

#include <string>
#include <vector>

namespace lotwise {

// The controls of the window model: plain values that the model changes and a view shows.

struct Label {
  std::string caption;
};

struct TextBox {
  std::string text;
};

struct CheckBox {
  std::string caption;
  int value = 0;  // 0 unchecked, 1 checked
};

struct CommandButton {
  std::string caption;
  bool enabled = true;
};

struct MenuItem {
  std::string caption;  // a separator's caption is "-"
};

struct TabControl {
  std::vector<std::string> tabs;
  int tab = 0;  // the one shown
};

struct ComboBox {
  std::vector<std::string> items;
  int position = -1;  // the chosen item; -1 when none is chosen
  std::string text;   // what the edit field shows

  // The user picks item p: position = p, text = items[p]. A p that names no item
  // leaves no item chosen and the text as it was.
  void select(int p);
  // The user types: text = t, position = -1.
  void type(std::string t);
};

struct AboutWindow {
  bool loaded = false;  // shown
  std::string caption;  // window title
  Label lblVersion, lblDescription, Label1;
  CommandButton cmdOK;
};

}  // namespace lotwise
