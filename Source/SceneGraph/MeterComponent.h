// A value between 0 and a maximum, held by the meter nodes (bars, fraction texts). The value is
// kept within [0, maximum] at every change; a maximum of 0 pins it to 0.
#pragma once

class IMeter
{
public:
    virtual float GetValue() const = 0;
    virtual void SetValue(float value) = 0;
    virtual float GetMax() const = 0;
    virtual void SetMax(float max) = 0;
    virtual ~IMeter() = default;
};

// Node types that show the value override SetValue (SetMax reaches it too).
class MeterComponent : public IMeter
{
public:
    float GetValue() const override { return mValue; }
    // Below 0 gives 0, above the maximum gives the maximum.
    void SetValue(float value) override;
    float GetMax() const override { return mMax; }
    // Below 0 gives 0; then the value is set again through SetValue, so it is clamped anew.
    void SetMax(float max) override;

private:
    float mValue = 0.0f;
    float mMax = 0.0f;
};
