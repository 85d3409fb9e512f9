// Resource ids of the setup program's executable. Plain C preprocessor text:
// the resource compiler reads this file too.
#ifndef SETUPKIT_APP_RESOURCE_IDS_H
#define SETUPKIT_APP_RESOURCE_IDS_H

// The install wizard's template id, 130, is its window's business.
#include "app/wizard_window/wizard_template_id.h"

// The application icon, big and small.
#define IDR_MAINFRAME 128

// The extraction dialog and its two live controls.
#define IDD_EXEEXTRACTOR_DIALOG 102
#define IDC_EXTRACT_PROGRESS 1003
#define IDC_EXTRACT_PERCENT 1020

#endif
