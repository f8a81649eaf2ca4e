// The BMP-backed image. Its pixels live in memory as SECImage holds them.
#pragma once

#include "Image.h"

namespace tarnwick::foundation
{
class SECDib : public SECImage
{
    DECLARE_DYNCREATE(SECDib)
public:
    SECDib() = default;

protected:
    // Reads a BMP file from the current position of the image's file.
    BOOL DoLoadImage() override;
    BOOL DoSaveImage() override;
};
} // namespace tarnwick::foundation
