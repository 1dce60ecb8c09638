#pragma once

class QComboBox;

namespace vardex {

// Offers after COM1 to COM9 the system's COM names above COM9, and brings
// them up to date whenever the list is about to open. COM1 to COM9 stay the
// first nine entries, whatever the system has.
void OfferComNamesAboveNine(QComboBox* ports);

}  // namespace vardex
