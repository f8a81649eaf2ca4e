// The two numberings of a cell's border sides. Styles, their archive and profile forms keep
// the sides as GXBorder; the drawing code walks them as GXDrawSide. Convert explicitly.
#pragma once

enum class GXBorder : int
{
    Top = 0,
    Left = 1,
    Bottom = 2,
    Right = 3,
    All = -1 // every side at once, where an operation accepts it
};

enum class GXDrawSide : int
{
    Left = 0,
    Right = 1,
    Top = 2,
    Bottom = 3
};

constexpr GXBorder GXBorderOfDrawSide(GXDrawSide side)
{
    switch (side)
    {
    case GXDrawSide::Left:
        return GXBorder::Left;
    case GXDrawSide::Right:
        return GXBorder::Right;
    case GXDrawSide::Top:
        return GXBorder::Top;
    case GXDrawSide::Bottom:
        break;
    }
    return GXBorder::Bottom;
}
