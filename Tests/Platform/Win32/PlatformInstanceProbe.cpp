// A second start of the program for the single-instance tests: sets up the platform of the
// product named on the command line and exits with 0 when another instance runs, else 1.
#include "Framework/BaseApplication.h"
#include "Platform/Win32/Win32ApplicationPlatform.h"
#include "Utf8.h"

namespace
{
class ProbeApplication : public Corvane::BaseApplication
{
public:
    explicit ProbeApplication(const std::wstring& product) : mProduct(product) { mInfo.productName = mProduct.c_str(); }

private:
    std::wstring mProduct;
};
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 3;
    ProbeApplication application(Corvane::Utf8::ToWide(argv[1]));
    Corvane::Win32ApplicationPlatform platform;
    platform.Setup();
    return platform.ActivateOtherInstance() ? 0 : 1;
}
