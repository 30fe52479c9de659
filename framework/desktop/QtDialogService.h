#pragma once
// Framework-internal: the dialog service that shows the host toolkit's dialogs.

#include "framework/desktop/DialogService.h"

namespace dsp {

IDialogService& QtDialogService();

}  // namespace dsp
