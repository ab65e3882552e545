#pragma once
// Keys pressed as a user presses them: real input to the foreground window.
#include <windows.h>

#include <string>

namespace stavrel::ui {

// Brings the window to the foreground, so that it gets the keyboard.
bool MakeForeground(HWND window);

void PressKey(WORD virtual_key);
void PressKeyWithShift(WORD virtual_key);
// Types the text into whatever has the focus, one character after another.
void TypeCharacters(const std::wstring& text);
// Alt held down while the key is pressed, as for an access key ("&Quit").
void PressAltKey(WORD virtual_key);

// The control that has the keyboard focus in the window's thread.
HWND FocusedControl(HWND window);

}  // namespace stavrel::ui
