#include "SceneGraph/MeterComponent.h"

void MeterComponent::SetValue(float value)
{
    // Not a number counts as below 0.
    mValue = value >= 0.0f ? value : 0.0f;
    if (mValue > mMax)
        mValue = mMax;
}

void MeterComponent::SetMax(float max)
{
    mMax = max >= 0.0f ? max : 0.0f;
    SetValue(mValue);
}
