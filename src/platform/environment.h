#pragma once

// Facts about the machine that start-up checks, read through an interface so
// that the checks can be exercised with any screen and any printer count.
class Environment {
public:
    virtual ~Environment() = default;
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    virtual double screenWidthTwips() const = 0;
    virtual double screenHeightTwips() const = 0;
    virtual int printerCount() const = 0;
};

// The real machine: the primary screen's logical resolution and the printers
// known to CUPS.
class SystemEnvironment final : public Environment {
public:
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    double screenWidthTwips() const override;
    double screenHeightTwips() const override;
    int printerCount() const override;
};
