#include "Graphics/IImage.h"

#include "Graphics/ITexture.h"

namespace Corvane
{
BaseImage::~BaseImage()
{
    if (mTexture)
        mTexture->Release();
}

void BaseImage::SetTexture(ITexture* texture)
{
    // Add first: the new texture may be the one already attached.
    if (texture)
        texture->AddRef();
    if (mTexture)
        mTexture->Release();
    mTexture = texture;
}
} // namespace Corvane
