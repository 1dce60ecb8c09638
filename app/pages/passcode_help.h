#pragma once

class QGridLayout;
class QLineEdit;

namespace vardex {

// Beside the APRS-IS password, in row `row` of `login`: "From login" types
// the passcode of the login into the password box, and a note under it says
// when the password is not that passcode (-1 is said to be receive-only).
void AddPasscodeHelp(QGridLayout* login, int row, QLineEdit* user, QLineEdit* password);

}  // namespace vardex
