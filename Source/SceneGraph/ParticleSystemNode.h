// Particle systems: a node that emits, moves and draws many small copies of one image (sparkles,
// steam, speed effects), each changing from a start style (colour and scale) to an end style over
// its life. The game makes them in code (there is no layout element), sets the tuning members
// below directly and attaches the node like any other:
//
//   auto* sparkle = new ConformingParticleSystemNode(area, image, {1, 1, 1, 0.7f}, {1, 1, 1, 0.7f},
//                                                    0.5f, 0.5f, 100.0f);
//   sparkle->SetAcceleration(3 * pi / 2, 100);   // rise (y points down the screen)
//   sparkle->mDefaultLifetime = 0.25f;
//   sparkle->RegisterTree(database);
//   sparkle->SetParent(area);
//
// Particles are plain records in one array, in world coordinates from the moment they are born
// (they do not follow the node); a dead one is replaced by the last live record. Styles come from
// a 256-entry table, rebuilt before the next motion step whenever mTableDirty is set: set it after
// changing a colour or a scale. Emission and motion run in the node's update, drawing is one
// sprite batch. Main thread only.
#pragma once

#include "Graphics/ColorF.h"
#include "Graphics/Vector2.h"
#include "SceneGraph/SceneNode.h"

#include <vector>

namespace Corvane
{
class IImage;
}

// One particle. The first eight floats are also the sprite record of DrawSprites, which draws
// the live records straight from the array with a stride of 48 bytes.
struct Particle
{
    float x = 0.0f; // world position
    float y = 0.0f;
    Corvane::ColorF color{1.0f, 1.0f, 1.0f, 1.0f};
    float scaleX = 0.0f;
    float scaleY = 0.0f;
    float vx = 0.0f; // pixels per second
    float vy = 0.0f;
    float life = 0.0f; // seconds left
    float invLifetime = 0.0f;
};
static_assert(sizeof(Particle) == 48, "particles are drawn with a stride of 48 bytes");

struct ParticleTableEntry
{
    Corvane::ColorF color;
    float scale = 0.0f;
};

class ParticleSystemNode : public SceneNode
{
public:
    static constexpr int kMaxParticles = 16384;
    static constexpr int kTableSize = 256;
    // Storage grows by this many records and never shrinks.
    static constexpr int kGrowth = 512;

    // An unnamed node drawing image (not owned), with the start and end colours and scales and
    // the emission rate in particles per second.
    ParticleSystemNode(Corvane::IImage* image, float startRed, float startGreen, float startBlue, float startAlpha,
                       float endRed, float endGreen, float endBlue, float endAlpha, float startScale, float endScale,
                       float emissionRate);
    ParticleSystemNode(Corvane::IImage* image, const Corvane::ColorF& startColor, const Corvane::ColorF& endColor,
                       float startScale, float endScale, float emissionRate);

    // Moves the particles, then emits what the rate asks for (until the emission duration ends).
    void OnUpdate(float dt) override;
    // The live particles as one sprite batch on the render context's canvas, tinted by the
    // node's world alpha; the drawing offset does not apply (particles are in world coordinates).
    void Draw(const Corvane::Vector2<float>& offset) override;

    // One emission; true when a particle was emitted. The plain node emits one at rest at its own
    // position while it is visible in the world.
    virtual bool Emit();

    // mAcceleration = (cos angle, sin angle) x magnitude; radians, y pointing down the screen.
    void SetAcceleration(float angle, float magnitude);
    // A particle at the node's world position + offset, moving at speed in direction
    // angle + mBaseAngle, living lifetime seconds (0: mDefaultLifetime). False, and nothing
    // emitted, once kMaxParticles are live.
    bool EmitDirected(float angle, float speed, float lifetime, const Corvane::Vector2<float>& offset);
    // Adds a particle in the start style without checking the limit (storage grows as needed).
    void AddParticle(const Corvane::Vector2<float>& offset, const Corvane::Vector2<float>& velocity, float lifetime);
    // Ages and moves every particle by dt (at most 0.1 s) and gives each the style of the life it
    // has left; the dead ones go.
    void UpdateParticles(float dt);
    // Entry i = end style + (start - end) x i / 255; clears mTableDirty.
    void BuildTable();

    int GetCount() const { return mCount; }
    int GetCapacity() const { return mCapacity; }
    const Particle* GetParticles() const { return mParticles.data(); }
    const std::vector<ParticleTableEntry>& GetTable() const { return mTable; }
    float GetEmitTime() const { return mEmitTime; }

    // ---- Tuning, set by the creator ----
    float mBaseAngle = 0.0f;                           // radians added to every emission angle
    float mEmissionRate;                               // particles per second
    Corvane::Vector2<float> mAcceleration{0.0f, 0.0f}; // added to each velocity per second
    Corvane::Vector2<float> mDrift{0.0f, 0.0f};        // constant velocity added to every particle
    float mDamping = 0.0f;                             // velocity x (1 - damping x dt) per update
    Corvane::ColorF mStartColor;
    Corvane::ColorF mEndColor;
    float mStartScale;
    float mEndScale;
    float mDefaultLifetime = 3.5f; // seconds
    Corvane::IImage* mImage;       // not owned
    bool mTableDirty = true;
    float mEmitDuration = -1.0f; // seconds of emission; 0 or less: forever
    // The range of emission speeds of the conforming node.
    float mMinSpeed = 0.0f;
    float mMaxSpeed = 0.0f;

private:
    std::vector<Particle> mParticles;
    std::vector<ParticleTableEntry> mTable;
    int mCapacity = kGrowth;
    int mCount = 0;
    float mEmitCarry = 0.0f; // time not yet turned into particles
    float mEmitTime = 0.0f;  // seconds since construction
};

// A particle system emitting at random points inside the shape of another node, as that node's
// own hit test sees it, so that an effect follows the outline of a sprite. The points are drawn
// in the target's bounds and applied to this node's world position: the particles cover the
// target when this node stands at the top-left corner of the target's bounds (a child of the
// target at (0, 0)). Random numbers come from random stream 2.
class ConformingParticleSystemNode : public ParticleSystemNode
{
public:
    // A point inside the excluded rectangle is drawn again at most this often; when every draw
    // falls inside, nothing more is emitted in that update.
    static constexpr int kExclusionRedraws = 16;

    ConformingParticleSystemNode(SceneNode* target, Corvane::IImage* image, float startRed, float startGreen,
                                 float startBlue, float startAlpha, float endRed, float endGreen, float endBlue,
                                 float endAlpha, float startScale, float endScale, float emissionRate,
                                 float spreadAngle = 0.0f);
    ConformingParticleSystemNode(SceneNode* target, Corvane::IImage* image, const Corvane::ColorF& startColor,
                                 const Corvane::ColorF& endColor, float startScale, float endScale, float emissionRate,
                                 float spreadAngle = 0.0f);

    // One particle at a random point of the target's shape, with a speed between mMinSpeed and
    // mMaxSpeed and a direction within mSpreadAngle of mBaseAngle. False without a target, while
    // this node is not visible in the world, or when the point drawn misses the target's shape
    // (the update then emits no more).
    bool Emit() override;

    float mSpreadAngle;             // radians: directions are uniform in [-spread, spread]
    SceneNode* mTarget;             // not owned: the node whose shape is filled
    SceneNode* mExcluded = nullptr; // not owned: a node whose world rectangle is avoided
};
