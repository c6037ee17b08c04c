#pragma once

#include <QImage>

namespace Tessaron::Art {

// Pictures of the GPIB window: an instrument bus with three instruments and
// a PC (320 x 200), a bench instrument with its bus connector (320 x 100),
// and a PC interface card (320 x 100).
QImage drawGpibBus();
QImage drawGpibInstrument();
QImage drawGpibCard();

// Picture of the RS-232 window (561 x 302): a DB-25 and a DB-9 connector,
// a cable, a measuring instrument with a serial port and one character
// on the line (start bit, eight data bits, stop bit).
QImage drawRs232();

}  // namespace Tessaron::Art
