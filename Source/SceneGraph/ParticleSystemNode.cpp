#include "SceneGraph/ParticleSystemNode.h"

#include "Graphics/DrawingFunctions.h"
#include "Graphics/RenderContext.h"
#include "RandomStream.h"

#include <algorithm>
#include <cmath>

using namespace Corvane;

namespace
{
// A long frame must not throw particles far.
constexpr float kMaxStep = 0.1f;

// The next float of random stream 2; 0 while the streams do not exist (before the engine starts
// them), so that a node made early still works.
float NextRandom()
{
    IRandomNumberStream* stream = GetRandomStream(2);
    return stream ? stream->NextFloat() : 0.0f;
}
} // namespace

ParticleSystemNode::ParticleSystemNode(IImage* image, float startRed, float startGreen, float startBlue,
                                       float startAlpha, float endRed, float endGreen, float endBlue, float endAlpha,
                                       float startScale, float endScale, float emissionRate)
    : ParticleSystemNode(image, {startRed, startGreen, startBlue, startAlpha}, {endRed, endGreen, endBlue, endAlpha},
                         startScale, endScale, emissionRate)
{
}

ParticleSystemNode::ParticleSystemNode(IImage* image, const ColorF& startColor, const ColorF& endColor,
                                       float startScale, float endScale, float emissionRate)
    : SceneNode(Label()), mEmissionRate(emissionRate), mStartColor(startColor), mEndColor(endColor),
      mStartScale(startScale), mEndScale(endScale), mImage(image), mParticles(kGrowth), mTable(kTableSize)
{
}

void ParticleSystemNode::OnUpdate(float dt)
{
    SceneNode::OnUpdate(dt);
    // A broken step (negative, not a number) would stop the emission for good through the carry.
    if (!(dt >= 0.0f))
        dt = 0.0f;
    UpdateParticles(dt);

    mEmitTime += dt;
    if (mEmitDuration > 0.0f && mEmitTime > mEmitDuration)
        return;
    // The fraction left over at an emission is dropped: at 30 a second and 20 ms updates one
    // particle comes every second update.
    const float carried = mEmitCarry + dt;
    const float due = carried * mEmissionRate;
    if (!(due >= 1.0f)) // also a negative or not-a-number rate
    {
        mEmitCarry = carried;
        return;
    }
    mEmitCarry = 0.0f;
    // No more than can live are asked for, so a huge rate or step cannot overflow the count.
    const int count = due >= float(kMaxParticles) ? kMaxParticles : static_cast<int>(due);
    for (int i = 0; i < count; ++i)
        if (!Emit())
            break;
}

void ParticleSystemNode::UpdateParticles(float dt)
{
    if (mTableDirty)
        BuildTable();
    dt = dt > 0.0f ? std::min(dt, kMaxStep) : 0.0f;
    const float keep = 1.0f - mDamping * dt;
    const Vector2<float> gain = mAcceleration * dt;
    const Vector2<float> drift = mDrift * dt;
    // Locals, so that the stores into the records need not be read back.
    Particle* particles = mParticles.data();
    const ParticleTableEntry* table = mTable.data();
    int count = mCount;
    for (int i = 0; i < count;)
    {
        Particle& p = particles[i];
        const float life = p.life - dt;
        if (life <= 0.0f)
        {
            // The last live record fills the hole and is looked at in this same pass.
            p = particles[--count];
            continue;
        }
        // Kept within the table even for a lifetime too small to invert (not a number gives 0);
        // min and max rather than tests, which particles of mixed ages would mispredict.
        const float step =
            std::min(std::max(0.0f, float(kTableSize - 1) * life * p.invLifetime), float(kTableSize - 1));
        const ParticleTableEntry e = table[static_cast<int>(step)];
        const float vx = (p.vx + gain.x) * keep;
        const float vy = (p.vy + gain.y) * keep;
        p.x += vx * dt + drift.x;
        p.y += vy * dt + drift.y;
        p.color = e.color;
        p.scaleX = p.scaleY = e.scale;
        p.vx = vx;
        p.vy = vy;
        p.life = life;
        ++i;
    }
    mCount = count;
}

void ParticleSystemNode::BuildTable()
{
    const auto mix = [](float end, float start, int i) { return end + (start - end) * float(i) / 255.0f; };
    for (int i = 0; i < kTableSize; ++i)
    {
        ParticleTableEntry& e = mTable[i];
        e.color = {mix(mEndColor.red, mStartColor.red, i), mix(mEndColor.green, mStartColor.green, i),
                   mix(mEndColor.blue, mStartColor.blue, i), mix(mEndColor.alpha, mStartColor.alpha, i)};
        e.scale = mix(mEndScale, mStartScale, i);
    }
    mTableDirty = false;
}

void ParticleSystemNode::AddParticle(const Vector2<float>& offset, const Vector2<float>& velocity, float lifetime)
{
    if (mCount >= mCapacity)
    {
        mCapacity += kGrowth;
        mParticles.resize(std::size_t(mCapacity));
    }
    Particle& p = mParticles[std::size_t(mCount++)];
    if (lifetime == 0.0f)
        lifetime = mDefaultLifetime;
    const Vector2<float> at = GetWorldPosition() + offset;
    p.x = at.x;
    p.y = at.y;
    p.vx = velocity.x;
    p.vy = velocity.y;
    p.life = lifetime;
    p.invLifetime = 1.0f / lifetime;
    p.color = mStartColor;
    p.scaleX = p.scaleY = mStartScale;
}

bool ParticleSystemNode::EmitDirected(float angle, float speed, float lifetime, const Vector2<float>& offset)
{
    if (mCount >= kMaxParticles)
        return false;
    const float a = angle + mBaseAngle;
    AddParticle(offset, {std::cos(a) * speed, std::sin(a) * speed}, lifetime);
    return true;
}

bool ParticleSystemNode::Emit()
{
    if (!IsWorldVisible())
        return false;
    return EmitDirected(0.0f, 0.0f, 0.0f, {0.0f, 0.0f});
}

void ParticleSystemNode::SetAcceleration(float angle, float magnitude)
{
    mAcceleration = {std::cos(angle) * magnitude, std::sin(angle) * magnitude};
}

void ParticleSystemNode::Draw(const Vector2<float>&)
{
    if (mCount == 0 || !mImage || !IsWorldVisible())
        return;
    Graphics::DrawState state = Graphics::GetRenderContext().state;
    state.tint.alpha = GetWorldColor().alpha;
    state.flags |= Graphics::kDrawBlend;
    Graphics::DrawSprites(mImage, mCount, mParticles.data(), sizeof(Particle), state, Graphics::GetCurrentCanvas());
}

ConformingParticleSystemNode::ConformingParticleSystemNode(SceneNode* target, IImage* image, float startRed,
                                                           float startGreen, float startBlue, float startAlpha,
                                                           float endRed, float endGreen, float endBlue, float endAlpha,
                                                           float startScale, float endScale, float emissionRate,
                                                           float spreadAngle)
    : ConformingParticleSystemNode(target, image, {startRed, startGreen, startBlue, startAlpha},
                                   {endRed, endGreen, endBlue, endAlpha}, startScale, endScale, emissionRate,
                                   spreadAngle)
{
}

ConformingParticleSystemNode::ConformingParticleSystemNode(SceneNode* target, IImage* image, const ColorF& startColor,
                                                           const ColorF& endColor, float startScale, float endScale,
                                                           float emissionRate, float spreadAngle)
    : ParticleSystemNode(image, startColor, endColor, startScale, endScale, emissionRate), mSpreadAngle(spreadAngle),
      mTarget(target)
{
}

bool ConformingParticleSystemNode::Emit()
{
    if (!mTarget || !IsWorldVisible())
        return false;
    const Rect<float> bounds = mTarget->GetBounds();
    Vector2<float> offset{0.0f, 0.0f};
    if (bounds.width > 0.0f || bounds.height > 0.0f)
    {
        const auto draw = [&] {
            offset.y = NextRandom() * bounds.height;
            offset.x = NextRandom() * bounds.width;
        };
        draw();
        if (mExcluded)
        {
            const NodeState& world = mExcluded->GetWorldState();
            const Rect<float> excluded{world.x, world.y, mExcluded->GetWidth(), mExcluded->GetHeight()};
            int redraws = 0;
            while (excluded.Contains(bounds.x + offset.x, bounds.y + offset.y))
            {
                // A rectangle covering the whole target would otherwise be drawn into forever.
                if (redraws++ == kExclusionRedraws)
                    return false;
                draw();
            }
        }
        if (!mTarget->HitTest({bounds.x + offset.x, bounds.y + offset.y}))
            return false;
    }
    const float speed = mMinSpeed + (mMaxSpeed - mMinSpeed) * NextRandom();
    const float angle = -mSpreadAngle + 2.0f * mSpreadAngle * NextRandom();
    return EmitDirected(angle, speed, 0.0f, offset);
}
