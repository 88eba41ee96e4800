#include "Framework/ResourceManager.h"

#include "Framework/LoadingJob.h"
#include "Framework/ResourceLoadProgress.h"
#include "Framework/ResourceWrapper.h"
#include "Framework/ValueResources.h"
#include "RuntimeError.h"
#include "Support/DebugCapture.h"
#include "Support/ResourceFolder.h"
#include "XMLError.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace Corvane;
using Corvane::Internal::ValueWrapper;
using Corvane::Testing::DebugCapture;
using Corvane::Testing::ResourceFolder;

namespace
{
// A loaded object of its own type, to tell object lookups from value lookups.
struct Sprite
{
    virtual ~Sprite() = default;
    std::wstring text;
};

// Builds a Sprite from the element's "text" attribute, after whatever the hook does.
class SpriteFactory : public IResourceFactory
{
public:
    explicit SpriteFactory(std::atomic<int>* deleted = nullptr) : mDeleted(deleted) {}
    ~SpriteFactory() override
    {
        if (mDeleted)
            ++*mDeleted;
    }

    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader* children) override
    {
        ++calls;
        if (hook)
            hook(name, children);
        auto* sprite = new ResourceWrapper<Sprite>(manifest, name, element);
        sprite->text = element->GetStringAttribute(L"text", L"");
        return sprite;
    }

    std::atomic<int> calls{0};
    std::function<void(Label, IXMLReader*)> hook;

private:
    std::atomic<int>* mDeleted;
};

bool WaitFor(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

class ResourceManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterValueResourceFactories();
        sprites = new SpriteFactory;
        resources.Manager().RegisterFactory(L"sprite", sprites);
    }

    // The job of manifest after it finished, with the caller's reference released by the test.
    int StateOf(const std::wstring& manifest)
    {
        ResourceManager::LoadingJob* job = resources.Manager().Request(manifest, false);
        const int state = job->GetState();
        job->Release();
        return state;
    }

    DebugCapture quiet;                   // keeps the loader's messages out of the test output
    std::atomic<int> deletedFactories{0}; // outlives the manager, which deletes its factories last
    ResourceFolder resources;
    SpriteFactory* sprites = nullptr;
};
} // namespace

TEST_F(ResourceManagerTest, LoadsAManifestAndHandsOutTypedResources)
{
    resources.WriteManifest("Kitchen", R"(<int name="Lives" value="3"/>
        <float name="Speed" value="2.5"/>
        <sprite name="Chef" text="hat"/>)");
    resources.Manager().LoadAndWait(L"Kitchen", true, nullptr);

    const auto lives = ResourceManager::Get<ValueWrapper<int>>("Lives");
    ASSERT_TRUE(lives);
    EXPECT_EQ(lives->value, 3);
    EXPECT_EQ(lives.GetDescriptor()->GetManifest(), L"Kitchen");
    EXPECT_EQ(lives.GetDescriptor()->GetName(), Label("Lives"));
    EXPECT_EQ(ResourceManager::Get<ValueWrapper<float>>(std::wstring(L"speed"))->value, 2.5f)
        << "names are labels, matched without regard to case";

    const auto chef = ResourceManager::Get<Sprite>(Label("Chef"));
    ASSERT_TRUE(chef);
    EXPECT_EQ(chef->text, L"hat");
    EXPECT_EQ(dynamic_cast<ResourceDescriptor*>(chef.GetDescriptor())->GetStringAttribute(L"text", L""),
              std::wstring(L"hat"))
        << "the descriptor keeps the element's attributes";

    EXPECT_FALSE(ResourceManager::Get<ValueWrapper<float>>("Lives")) << "an int is not a float";
    EXPECT_FALSE(ResourceManager::Get<Sprite>("Lives"));
    EXPECT_FALSE(ResourceManager::Get<ValueWrapper<int>>("Chef"));
    EXPECT_FALSE(ResourceManager::Get<ValueWrapper<int>>("Nobody"));
    EXPECT_EQ(ResourceManager::GetValue<int>(Label("Lives"), -1), 3);
    EXPECT_EQ(ResourceManager::GetValue<float>(Label("Lives"), -1.0f), -1.0f);
    EXPECT_EQ(StateOf(L"Kitchen"), ResourceManager::LoadingJob::kDone);
}

namespace
{
// A game record: a plain structure without virtual functions.
struct Record
{
    int points = 0;
};

class RecordFactory : public IResourceFactory
{
public:
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader*) override
    {
        auto* record = new ResourceWrapper<Record>(manifest, name, element);
        record->points = element->GetIntAttribute(L"points", 0);
        return record;
    }
};
} // namespace

TEST_F(ResourceManagerTest, PlainRecordsAreFoundByTheirType)
{
    resources.Manager().RegisterFactory(L"record", new RecordFactory);
    resources.WriteManifest("Records", R"(<record name="Combo" points="40"/>)");
    resources.Manager().LoadAndWait(L"Records", true, nullptr);
    const auto combo = ResourceManager::Get<Record>("Combo");
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->points, 40);
    EXPECT_FALSE(ResourceManager::Get<Sprite>("Combo"));
    EXPECT_FALSE(ResourceManager::Get<ValueWrapper<int>>("Combo"));
}

TEST_F(ResourceManagerTest, FindsManifestsInAnyFolderWithoutRegardToCase)
{
    resources.Folder().Write("data/menus/MainMenu.XML", R"(<r><int name="Buttons" value="4"/></r>)");
    resources.Folder().Write("data/Other.xml", R"(<r><int name="Other" value="5"/></r>)");
    resources.Manager().LoadAndWait(L"mainmenu", true, nullptr);
    resources.Manager().LoadAndWait(L"Other", false, nullptr);
    EXPECT_EQ(ResourceManager::GetValue<int>(Label("Buttons"), 0), 4);
    EXPECT_EQ(ResourceManager::GetValue<int>(Label("Other"), 0), 5);
}

TEST_F(ResourceManagerTest, EachManifestIsReadOnceHoweverOftenItIsRequested)
{
    resources.WriteManifest("Once", R"(<sprite name="A"/><sprite name="B"/>)");
    resources.Manager().LoadAndWait(L"Once", true, nullptr);
    resources.Manager().LoadAndWait(L"Once", true, nullptr);
    EXPECT_EQ(sprites->calls.load(), 2);

    // Each request holds its own reference: the job stays in the manager after both are released.
    ResourceManager::LoadingJob* first = resources.Manager().Request(L"Once", true);
    ResourceManager::LoadingJob* second = resources.Manager().Request(L"Once", true);
    EXPECT_EQ(first, second);
    first->Release();
    second->Release();
    ResourceManager::LoadingJob* third = resources.Manager().Request(L"Once", true);
    EXPECT_EQ(third->GetRequests(), 5);
    EXPECT_TRUE(third->IsFinished());
    EXPECT_FLOAT_EQ(third->GetProgress(), 1.0f);
    third->Release();
}

TEST_F(ResourceManagerTest, AnAliasIsASecondNameForAResourceDeclaredBefore)
{
    resources.WriteManifest("Aliases", R"(<sprite name="Chef" text="hat"/>
        <alias name="Cook" src="Chef"/>
        <alias name="Early" src="Later"/>
        <int name="Later" value="1"/>)");
    resources.Manager().LoadAndWait(L"Aliases", false, nullptr);
    const auto cook = ResourceManager::Get<Sprite>("Cook");
    ASSERT_TRUE(cook);
    EXPECT_EQ(cook.Get(), ResourceManager::Get<Sprite>("Chef").Get());
    EXPECT_EQ(cook.GetDescriptor()->GetName(), Label("Chef")) << "the target keeps its own name";
    EXPECT_EQ(ResourceManager::Instance()->Find(Label("Early")), nullptr) << "aliases look back only";
}

TEST_F(ResourceManagerTest, ALaterDeclarationInTheSameManifestReplacesTheFirst)
{
    resources.WriteManifest("Twice", R"(<int name="a" value="1"/><int name="a" value="2"/>)");
    resources.Manager().LoadAndWait(L"Twice", false, nullptr);
    EXPECT_EQ(ResourceManager::GetValue<int>(Label("a"), 0), 2);
}

TEST_F(ResourceManagerTest, ANameInTwoManifestsIsReportedToTheWaitingCaller)
{
    resources.WriteManifest("First", R"(<int name="Twin" value="1"/>)");
    resources.WriteManifest("Second", R"(<int name="before" value="7"/><int name="Twin" value="2"/>)");
    resources.WriteManifest("Third", R"(<int name="c" value="3"/>)");
    resources.Manager().LoadAndWait(L"First", false, nullptr);
    try
    {
        resources.Manager().LoadAndWait(L"Second", false, nullptr);
        FAIL() << "expected RuntimeError";
    }
    catch (const RuntimeError& error)
    {
        EXPECT_STREQ(error.what(), "The manifests 'First' and 'Second' both contain a resource named 'Twin'.");
        EXPECT_EQ(error.GetFunction(), "Corvane::ResourceManager::LoadInternal");
    }
    EXPECT_THROW(resources.Manager().LoadAndWait(L"Second", false, nullptr), RuntimeError)
        << "asking again reports it again";
    EXPECT_EQ(StateOf(L"Second"), ResourceManager::LoadingJob::kFailed);
    EXPECT_EQ(ResourceManager::GetValue<int>(Label("Twin"), 0), 1) << "the first declaration stays";
    EXPECT_EQ(ResourceManager::GetValue<int>(Label("before"), 0), 7) << "what was read before stays";

    resources.Manager().LoadAndWait(L"Third", false, nullptr);
    EXPECT_EQ(ResourceManager::GetValue<int>(Label("c"), 0), 3) << "the loader goes on after a failure";
}

TEST_F(ResourceManagerTest, FailingFactoriesAndBrokenFilesReachTheCallerNotTheProcess)
{
    // The failing factory has read into its element: the rest of it is not taken for resources.
    sprites->hook = [](Label name, IXMLReader* children) {
        if (name == Label("Bad"))
        {
            children->Next();
            throw std::runtime_error("no such picture");
        }
    };
    resources.WriteManifest("Failing", R"(<sprite name="Good"/>
        <sprite name="Bad"><int name="Inner" value="1"/><int name="Inner2" value="2"/></sprite>
        <sprite name="After"/><sprite name="Bad"/><sprite name="Last"/>)");
    resources.Folder().Write("Broken.xml", "<resources><int name=\"x\" value=\"1\"/><int name=></resources>");
    EXPECT_THROW(
        {
            try
            {
                resources.Manager().LoadAndWait(L"Failing", false, nullptr);
            }
            catch (const std::runtime_error& error)
            {
                EXPECT_STREQ(error.what(), "no such picture");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_TRUE(ResourceManager::Get<Sprite>("Good"));
    EXPECT_FALSE(ResourceManager::Get<Sprite>("Bad"));
    EXPECT_TRUE(ResourceManager::Get<Sprite>("After")) << "a failing resource leaves the others in place";
    EXPECT_TRUE(ResourceManager::Get<Sprite>("Last"));
    EXPECT_EQ(ResourceManager::Instance()->Find(Label("Inner2")), nullptr);
    EXPECT_EQ(StateOf(L"Failing"), ResourceManager::LoadingJob::kFailed);

    EXPECT_THROW(resources.Manager().LoadAndWait(L"Broken", false, nullptr), XMLError);
    ResourceManager::LoadingJob* job = resources.Manager().Request(L"Broken", false);
    EXPECT_TRUE(job->HasError());
    job->Release();
}

TEST_F(ResourceManagerTest, AMissingManifestEndsItsJobQuietly)
{
    EXPECT_NO_THROW(resources.Manager().LoadAndWait(L"Nowhere", true, nullptr));
    EXPECT_EQ(StateOf(L"Nowhere"), ResourceManager::LoadingJob::kFailed);
}

TEST_F(ResourceManagerTest, NamedChildrenOfAnElementAreNotResourcesOfTheManifest)
{
    resources.WriteManifest("Nested", R"(<unknown name="Outer"><int name="HiddenA" value="1"/></unknown>
        <int name="Plain" value="2"><int name="HiddenB" value="3"/></int>
        <sprite name="Reader"><int name="HiddenC" value="4"/></sprite>
        <group><int name="Grouped" value="5"/></group>)");
    std::vector<std::wstring> seen;
    sprites->hook = [&seen](Label, IXMLReader* children) {
        while (!children->AtEnd())
        {
            const XMLElement* node = children->Next();
            seen.push_back((node->IsEndTag() ? L"/" : L"") + node->GetName());
        }
    };
    resources.Manager().LoadAndWait(L"Nested", false, nullptr);
    EXPECT_EQ(ResourceManager::Instance()->Find(Label("Outer")), nullptr) << "no factory for its tag";
    EXPECT_EQ(ResourceManager::Instance()->Find(Label("HiddenA")), nullptr);
    EXPECT_EQ(ResourceManager::Instance()->Find(Label("HiddenB")), nullptr);
    EXPECT_EQ(ResourceManager::Instance()->Find(Label("HiddenC")), nullptr);
    EXPECT_EQ(ResourceManager::GetValue<int>(Label("Plain"), 0), 2);
    EXPECT_EQ(ResourceManager::GetValue<int>(Label("Grouped"), 0), 5) << "an unnamed element declares nothing";
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"int", L"/int", L"/sprite"}))
        << "a factory reads the children and its own end tag";
}

TEST_F(ResourceManagerTest, AFactoryMayReadItsAttributesAfterItsChildren)
{
    sprites->hook = [](Label, IXMLReader* children) {
        while (!children->AtEnd())
            children->Next();
    };
    resources.WriteManifest("Late", R"(<sprite name="Late" text="kept"><a x="1"/><b y="2">text</b></sprite>)");
    resources.Manager().LoadAndWait(L"Late", false, nullptr);
    ASSERT_TRUE(ResourceManager::Get<Sprite>("Late"));
    EXPECT_EQ(ResourceManager::Get<Sprite>("Late")->text, L"kept");
}

namespace
{
// Asks for cancellation once told to, and notes that it has been asked since.
class CancellingProgress : public IResourceLoadProgress
{
public:
    // LoadAndWait reports progress after it has cancelled the job.
    void SetProgress(float fraction) override
    {
        last = fraction;
        if (cancel)
            seen = true;
    }
    bool IsCancelled() override { return cancel; }

    std::atomic<bool> cancel{false};
    std::atomic<bool> seen{false};
    std::atomic<float> last{-1.0f};
};
} // namespace

TEST_F(ResourceManagerTest, CancellingMidLoadKeepsWhatWasRead)
{
    CancellingProgress progress;
    sprites->hook = [&progress](Label name, IXMLReader*) {
        if (name == Label("S2"))
        {
            progress.cancel = true;
            WaitFor([&progress] { return progress.seen.load(); });
        }
    };
    resources.WriteManifest("Long", R"(<sprite name="S1"/><sprite name="S2"/><sprite name="S3"/><sprite name="S4"/>)");
    resources.Manager().LoadAndWait(L"Long", false, &progress);
    EXPECT_EQ(StateOf(L"Long"), ResourceManager::LoadingJob::kCancelled);
    EXPECT_TRUE(ResourceManager::Get<Sprite>("S1"));
    EXPECT_TRUE(ResourceManager::Get<Sprite>("S2")) << "the resource being built when the cancel came";
    EXPECT_FALSE(ResourceManager::Get<Sprite>("S3"));
    EXPECT_EQ(sprites->calls.load(), 2) << "LoadAndWait returned only after the loader saw the cancel";
    EXPECT_GE(progress.last.load(), 0.0f);
}

TEST_F(ResourceManagerTest, StopCancelsTheQueueAndJoinsTheLoader)
{
    std::atomic<bool> entered{false}, release{false};
    sprites->hook = [&](Label, IXMLReader*) {
        entered = true;
        WaitFor([&release] { return release.load(); });
    };
    resources.WriteManifest("A", R"(<sprite name="A1"/><sprite name="A2"/>)");
    resources.WriteManifest("B", R"(<sprite name="B1"/>)");
    resources.WriteManifest("C", R"(<sprite name="C1"/>)");
    ResourceManager& manager = resources.Manager();
    ResourceManager::LoadingJob* a = manager.Request(L"A", false);
    ASSERT_TRUE(WaitFor([&entered] { return entered.load(); }));
    ResourceManager::LoadingJob* b = manager.Request(L"B", false);
    ResourceManager::LoadingJob* c = manager.Request(L"C", false);

    std::thread releaser([&release] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        release = true;
    });
    manager.Stop();
    releaser.join();
    EXPECT_EQ(sprites->calls.load(), 1) << "nothing was read after Stop";
    for (ResourceManager::LoadingJob* job : {a, b, c})
    {
        EXPECT_EQ(job->GetState(), ResourceManager::LoadingJob::kCancelled);
        EXPECT_TRUE(job->IsFinished());
        job->Release();
    }
    EXPECT_EQ(manager.Find(Label("A1")), nullptr) << "Stop releases every resource";

    // Nothing reads manifests any more: a request comes back cancelled instead of waiting forever.
    manager.LoadAndWait(L"B", false, nullptr);
    manager.LoadAndWait(L"Later", false, nullptr);
    EXPECT_EQ(StateOf(L"Later"), ResourceManager::LoadingJob::kCancelled);
    manager.Stop(); // twice: harmless
}

// A waiter sleeps on the job, not on a clock: it wakes when the job is cancelled or the loader
// ends it, long before its time limit.
TEST_F(ResourceManagerTest, AWaiterWakesWhenItsJobEnds)
{
    std::atomic<bool> release{false};
    sprites->hook = [&release](Label, IXMLReader*) { WaitFor([&release] { return release.load(); }); };
    resources.WriteManifest("Slow", R"(<sprite name="Slow"/>)");
    resources.WriteManifest("Queued", R"(<sprite name="Queued"/>)");
    ResourceManager::LoadingJob* slow = resources.Manager().Request(L"Slow", false);
    ResourceManager::LoadingJob* queued = resources.Manager().Request(L"Queued", false);
    EXPECT_FALSE(slow->WaitFinished(1)) << "the loader holds it";
    const auto wakesWhen = [](ResourceManager::LoadingJob* job, const std::function<void()>& end) {
        const auto start = std::chrono::steady_clock::now();
        std::thread ender([&end] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            end();
        });
        EXPECT_TRUE(job->WaitFinished(60000));
        ender.join();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    };
    wakesWhen(queued, [queued] { queued->Cancel(); });
    wakesWhen(slow, [&release] { release = true; });
    EXPECT_EQ(slow->GetState(), ResourceManager::LoadingJob::kDone);
    slow->Release();
    queued->Release();
}

TEST_F(ResourceManagerTest, ManifestsCanBeAwaitedFromSeveralThreads)
{
    std::string body;
    for (int i = 0; i < 40; ++i)
        body += "<sprite name=\"Shared" + std::to_string(i) + "\"/>";
    resources.WriteManifest("Shared", body);
    resources.WriteManifest("Own", R"(<sprite name="Own"/>)");
    std::vector<std::thread> waiters;
    for (int t = 0; t < 4; ++t)
        waiters.emplace_back([this, t] { resources.Manager().LoadAndWait(t % 2 ? L"Shared" : L"Own", true, nullptr); });
    for (std::thread& waiter : waiters)
        waiter.join();
    EXPECT_EQ(sprites->calls.load(), 41);
    EXPECT_TRUE(ResourceManager::Get<Sprite>("Shared39"));
}

TEST_F(ResourceManagerTest, RegisteringUnderATakenNameDeletesTheOldFactory)
{
    resources.Manager().RegisterFactory(L"thing", new SpriteFactory(&deletedFactories));
    auto* second = new SpriteFactory(&deletedFactories);
    resources.Manager().RegisterFactory(L"thing", second);
    EXPECT_EQ(deletedFactories.load(), 1);
    resources.WriteManifest("Things", R"(<thing name="T"/><Thing name="U"/>)");
    resources.Manager().LoadAndWait(L"Things", false, nullptr);
    EXPECT_EQ(second->calls.load(), 1) << "element names are matched with case";
    EXPECT_TRUE(ResourceManager::Get<Sprite>("T"));
    EXPECT_FALSE(ResourceManager::Get<Sprite>("U"));
}

TEST(ResourceManagerLifetime, TheSingletonTeardownStopsAndDeletesTheManager)
{
    ResourceManager* manager = ResourceManager::Instance();
    EXPECT_EQ(ResourceManager::InstanceIfCreated(), manager);
    EXPECT_EQ(ResourceManager::Instance(), manager);
    Internal::DestroySingletons();
    EXPECT_EQ(ResourceManager::InstanceIfCreated(), nullptr);
}
