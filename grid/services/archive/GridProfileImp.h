// The grid's user defaults in the application's profile: the base styles of a styles map and
// the grid properties, as text values in the registry below the application's key when the
// application has a registry key, else in its INI file (decided at every call).
//
// Registry: a sub-key "<section>\<style key>" per style. INI file: the section lists the style
// keys as "<key>=1", each style's values live in "[<section>.<key>]". A style key is "#<id>"
// for a style registered under a string id, else its name. Properties live in their own
// section ("Grid").
#pragma once

#include <grid/core/AbstractImps.h>

class CGXGridProfileImp : public CGXAbstractGridProfileImp
{
public:
    // Replaces the stored styles: the styles deleted since the last save go too.
    BOOL WriteStylesMapToProfile(const CGXStylesMap& stylesMap) override;
    void WriteFontToProfile(const CGXFont& font, LPCTSTR pszSection, LPCTSTR pszEntry) override;
    // An attribute the style does not include has its value deleted; without Borders the four
    // side values stay. Without a styles map BaseStyle is deleted.
    BOOL WriteStyleToProfile(const CGXStyle& style, LPCTSTR pszSection, const CGXStylesMap* pStylesMap) override;
    void WritePropertiesToProfile(const CGXProperties& properties) override;
    // Registers every stored style in the map and completes the standard style with the
    // built-in defaults; FALSE, leaving the map as it is, when nothing is stored.
    BOOL ReadStylesMapFromProfile(CGXStylesMap& stylesMap) override;
    BOOL ReadFontFromProfile(CGXFont& font, LPCTSTR pszSection, LPCTSTR pszEntry) override;
    // Empties the style, then takes every stored value; FALSE only without a section.
    BOOL ReadStyleFromProfile(CGXStyle& style, LPCTSTR pszSection, const CGXStylesMap* pStylesMap) override;
    // FALSE, changing nothing, when the properties' section is missing.
    BOOL ReadPropertiesFromProfile(CGXProperties& properties) override;
};

// Makes the profile feature application-wide, once.
void GXInstallGridProfileImp();
