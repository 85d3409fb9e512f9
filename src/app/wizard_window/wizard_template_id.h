// The install wizard's dialog template in the executable's resources; its
// controls are listed in wizard/wizard_controls.h. Plain C preprocessor
// text: the resource compiler reads this file too.
#ifndef SETUPKIT_APP_WIZARD_WINDOW_WIZARD_TEMPLATE_ID_H
#define SETUPKIT_APP_WIZARD_WINDOW_WIZARD_TEMPLATE_ID_H

#define IDD_INSTALL_WIZARD 130

#endif
