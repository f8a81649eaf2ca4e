// The JPEG-backed image: loads 1- and 3-component files, saves every depth the image holds as
// three RGB components with the library's defaults.
#pragma once

#include "Image.h"

namespace tarnwick::foundation
{
class SECJpeg : public SECImage
{
    DECLARE_DYNCREATE(SECJpeg)
public:
    SECJpeg() = default;

    // The library's message codes for an empty input and an input that ends early.
    static const int EmptyInputCode;
    static const int EarlyEndCode;

protected:
    // A damaged file answers FALSE; the library's errors never end the program.
    BOOL DoLoadImage() override;
    BOOL DoSaveImage() override;
};
} // namespace tarnwick::foundation
