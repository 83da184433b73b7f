#pragma once
// Receiver and host maintenance: set receiver number (Command2, 0x02), initialise receiver
// (Command6, 0x08), initialise host unit (Command7, 0x09), receiver frequency (Command13,
// 0x0A) and transmitter frequency (Command14, 0x0B, set or clear).

#include "commands/command.h"

namespace callcfg {

const Command& setReceiverNumberCommand();
const Command& initialiseReceiverCommand();
const Command& initialiseHostCommand(); // asks its confirmation first
const Command& receiverFrequencyCommand();
const Command& setTransmitterCommand();
const Command& clearTransmitterCommand(); // asks its confirmation first

Encoded encodeSetReceiverNumber(const QString& number); // Text2
Encoded encodeInitialiseReceiver();
Encoded encodeInitialiseHost();

// Combo2's text and position (-1 for none) and the optional receiver number in Text10.
Encoded encodeReceiverFrequency(const QString& frequencyText, int frequencyPosition,
                                const QString& receiver);

// Text7 in MHz; empty text clears the transmitter setting (after the confirmation).
Encoded encodeTransmitterFrequency(const QString& megahertz);

} // namespace callcfg
