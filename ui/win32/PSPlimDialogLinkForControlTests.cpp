// Temporary: lets the control's branch link without the dialog; delete when the dialog's own definition arrives.
#include "ui/win32/PSPlimDialog.h"

void PSPlimDialog::SetStatusText(const std::string&) {}
