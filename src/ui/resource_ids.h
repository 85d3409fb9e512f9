// Resource ids of the setup program's executable. Plain C preprocessor text:
// the resource compiler reads this file too.
#ifndef SETUPKIT_UI_RESOURCE_IDS_H
#define SETUPKIT_UI_RESOURCE_IDS_H

// The application icon, big and small.
#define IDR_MAINFRAME 128

// The extraction dialog and its two live controls.
#define IDD_EXEEXTRACTOR_DIALOG 102
#define IDC_EXTRACT_PROGRESS 1003
#define IDC_EXTRACT_PERCENT 1020

// The install wizard; its controls are listed in wizard/wizard_controls.h.
#define IDD_INSTALL_WIZARD 130

#endif
