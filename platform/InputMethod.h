#pragma once

#include <QString>

class QWidget;

namespace tellaria {

// The input method the query box, the mode selector and the check list ask for.
inline constexpr char PreferredInputMethod[] = "中文 (简体) - 搜狗拼音输入法";

// Asks the platform to switch to `inputMethodName` while `control` has the focus. Linux input
// method frameworks (IBus, Fcitx) choose the engine per user session, not per control, and offer
// no way for a program to pick one, so this does nothing here; a Windows build would select the
// keyboard layout of that name.
void RequestInputMethod(QWidget *control, const QString &inputMethodName);

} // namespace tellaria
