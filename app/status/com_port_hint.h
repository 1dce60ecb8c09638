#pragma once

class QComboBox;

namespace vardex {

// Makes the COM list's hint show, whenever it is about to appear, what each
// COM name opens on this machine.
void InstallComPortHint(QComboBox* ports);

}  // namespace vardex
