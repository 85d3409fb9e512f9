// Every control of the wizard's dialog template 130, in template (and tab)
// order, with its state when the dialog opens. This table is the one source of
// the template: the resource script expands it into CONTROL statements and the
// page logic's tests start their control surface from it.
//
// Plain C preprocessor text only: the resource compiler reads this file too.
//
// X(id, kind, text, x, y, width, height, visible, enabled, tabstop)
// kinds: PUSH, TEXT, LICENCE_EDIT, PATH_EDIT, CHECK, PROGRESS, PICTURE,
//        BLACK_LINE, ETCHED_LINE
#ifndef SETUPKIT_WIZARD_CONTROLS_H
#define SETUPKIT_WIZARD_CONTROLS_H

#define WIZARD_WIDTH 375
#define WIZARD_HEIGHT 228

#define WIZARD_CONTROLS(X)                                                                                                                                   \
  X(1000, PUSH, "Back", 216, 194, 48, 26, 1, 0, 1)                                                                                                           \
  X(1002, PUSH, "Next", 314, 194, 48, 26, 1, 1, 1)                                                                                                           \
  X(1005, TEXT, "Please read the license agreement carefully.", 16, 50, 143, 8, 0, 1, 0)                                                                     \
  X(1006, LICENCE_EDIT, "", 14, 63, 347, 91, 0, 1, 1)                                                                                                        \
  X(1007, CHECK, "I accept all the terms and conditions of preceding license agreement.", 14, 161,                                                           \
    236, 10, 0, 1, 1)                                                                                                                                        \
  X(1008, TEXT, "Destination Path:", 25, 91, 59, 9, 0, 1, 0)                                                                                                 \
  X(1009, PATH_EDIT, "", 23, 107, 251, 14, 0, 0, 1)                                                                                                          \
  X(1011, TEXT, "Selected Drive Space", 26, 130, 68, 8, 0, 1, 0)                                                                                             \
  X(1012, TEXT, "Approximate Space Required", 184, 130, 94, 8, 0, 1, 0)                                                                                      \
  X(1013, TEXT, "20.0 MB", 281, 130, 48, 8, 0, 1, 0)                                                                                                         \
  X(1015, TEXT, "", 97, 130, 83, 8, 0, 1, 0)                                                                                                                 \
  X(1016, TEXT, "Drive Free Space", 26, 143, 56, 8, 0, 1, 0)                                                                                                 \
  X(1017, TEXT, "", 97, 143, 84, 8, 0, 1, 0)                                                                                                                 \
  X(1018, PUSH, "Browse...", 279, 107, 50, 14, 0, 1, 1)                                                                                                      \
  X(1020, PROGRESS, "", 21, 117, 330, 15, 0, 1, 0)                                                                                                           \
  X(1021, TEXT, "Installing...", 24, 107, 38, 8, 0, 1, 0)                                                                                                    \
  X(1023, TEXT,                                                                                                                                              \
    "It is recommended that you close all other applications before starting up Setup. This will make it possible to update. \n\n\nClick Next to Continue.", \
    166, 101, 186, 57, 1, 1, 0)                                                                                                                              \
  X(1024, TEXT, " ", 166, 70, 197, 25, 1, 1, 0)                                                                                                              \
  X(1025, TEXT, "Welcome to the", 162, 31, 209, 31, 1, 1, 0)                                                                                                 \
  X(1026, TEXT, "Static", 278, 157, 88, 23, 0, 1, 0)                                                                                                         \
  X(1029, CHECK, "", 146, 123, 216, 10, 0, 1, 1)                                                                                                             \
  X(1030, TEXT, "Click Finish to close this Wizard.", 146, 101, 208, 8, 0, 1, 0)                                                                             \
  X(1031, TEXT, "", 146, 76, 222, 18, 0, 1, 0)                                                                                                               \
  X(1032, TEXT, "Static", 146, 22, 215, 51, 0, 1, 0)                                                                                                         \
  X(1033, TEXT, "\n\n\tLicense Agreement", 127, 0, 248, 43, 0, 1, 0)                                                                                         \
  X(1040, BLACK_LINE, "", 17, 189, 344, 1, 0, 1, 0)                                                                                                          \
  X(1039, TEXT, "Static", 17, 184, 21, 8, 0, 1, 0)                                                                                                           \
  X(1038, TEXT, "Installation Location", 132, 17, 94, 15, 0, 1, 0)                                                                                           \
  X(1014, PICTURE, "", 0, 0, 139, 228, 1, 1, 0)                                                                                                              \
  X(1019, PICTURE, "", 0, 0, 128, 43, 0, 1, 0)                                                                                                               \
  X(1001, PUSH, "Browse...", 279, 107, 50, 14, 0, 1, 1)                                                                                                      \
  X(1027, PUSH, "Cancel", 265, 194, 48, 26, 1, 1, 1)                                                                                                         \
  X(1035, TEXT, "Installing...", 207, 163, 101, 17, 0, 1, 0)                                                                                                 \
  X(1034, ETCHED_LINE, "", 0, 43, 375, 1, 0, 1, 0)

#endif
