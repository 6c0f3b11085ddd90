#pragma once
// The serial link to the device on Qt SerialPort.

class SerialLink {
public:
    SerialLink();
};
