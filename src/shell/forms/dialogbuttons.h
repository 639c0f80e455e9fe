// The 确定[&K] and 取消[&C] buttons at the foot of a small dialog.
#pragma once

#include <functional>

class QDialog;
class QHBoxLayout;

// OK (btnok, the default button) runs `ok`; cancel (btncancel) rejects the
// dialog. The buttons stand right-aligned in the layout returned.
QHBoxLayout* okCancelButtons(QDialog* dialog, std::function<void()> ok);
