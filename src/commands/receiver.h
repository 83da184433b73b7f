#pragma once
// Receiver and host maintenance: the receiver number (code 0x02), initialising the receiver
// (0x08) and the host unit (0x09), the receiver frequency (0x0A) and the transmitter
// frequency (0x0B, set or clear).

#include "commands/command.h"

namespace callcfg {

const Command& setReceiverNumberCommand();
const Command& initialiseReceiverCommand();
const Command& initialiseHostCommand(); // asks its confirmation first
const Command& receiverFrequencyCommand();
const Command& setTransmitterCommand();
const Command& clearTransmitterCommand(); // asks its confirmation first

Encoded encodeSetReceiverNumber(const QString& number);

// The frequency list's text and position (-1 for none) and the optional receiver number.
Encoded encodeReceiverFrequency(const QString& frequencyText, int frequencyPosition,
                                const QString& receiver);

// The transmitter frequency in MHz; empty text clears the transmitter setting (after the
// confirmation).
Encoded encodeTransmitterFrequency(const QString& megahertz);

} // namespace callcfg
