// The C types keep the installed library's binary layout on Windows x64, so that a loaded
// library reads and fills them as its own: every offset and size follows from the published
// field lists, texts given by their width in characters.
#include <sapnwrfc.h>

#include <cstddef>

namespace
{
// The bytes of the first count texts of the list.
template <size_t N> constexpr size_t TextBytes(const size_t (&widths)[N], size_t count = N)
{
    size_t characters = 0;
    for (size_t i = 0; i < count; ++i)
        characters += widths[i];
    return characters * sizeof(SAP_UC);
}

// RFC_ERROR_INFO: code and group, then key, message, abapMsgClass, abapMsgType, abapMsgNumber and
// abapMsgV1 to abapMsgV4.
constexpr size_t kErrorTexts[] = {128, 512, 21, 2, 4, 51, 51, 51, 51};
constexpr size_t kErrorTextsAt = 2 * sizeof(int);

// RFC_ATTRIBUTES: dest, host, partnerHost, sysNumber, sysId, client, user, language, trace,
// isoLanguage, codepage, partnerCodepage, rfcRole, type, partnerType, rel, partnerRel, kernelRel,
// cpicConvId, progName, partnerBytesPerChar, partnerSystemCodepage, partnerIP, partnerIPv6,
// reserved.
constexpr size_t kAttributes[] = {65, 101, 101, 3, 9, 4, 13, 3, 2, 3, 5, 5, 2, 2, 2, 5, 5, 5, 9, 129, 2, 5, 16, 46, 17};
} // namespace

static_assert(sizeof(SAP_UC) == 2 && sizeof(RFC_CHAR) == 2, "UTF-16 code units");
static_assert(sizeof(RFC_RC) == 4 && sizeof(RFC_ERROR_GROUP) == 4, "enumerations are 32-bit");
static_assert(RFC_TABLE_MOVE_EOF == 25 && RFC_LOCKING_FAILURE == 33 && _RFC_RC_max_value == 34, "return codes");
static_assert(LOGON_FAILURE == 3 && EXTERNAL_AUTHORIZATION_FAILURE == 7, "error groups");

static_assert(offsetof(RFC_ERROR_INFO, code) == 0);
static_assert(offsetof(RFC_ERROR_INFO, group) == 4);
static_assert(offsetof(RFC_ERROR_INFO, key) == kErrorTextsAt + TextBytes(kErrorTexts, 0));
static_assert(offsetof(RFC_ERROR_INFO, message) == kErrorTextsAt + TextBytes(kErrorTexts, 1));
static_assert(offsetof(RFC_ERROR_INFO, abapMsgClass) == kErrorTextsAt + TextBytes(kErrorTexts, 2));
static_assert(offsetof(RFC_ERROR_INFO, abapMsgType) == kErrorTextsAt + TextBytes(kErrorTexts, 3));
static_assert(offsetof(RFC_ERROR_INFO, abapMsgNumber) == kErrorTextsAt + TextBytes(kErrorTexts, 4));
static_assert(offsetof(RFC_ERROR_INFO, abapMsgV1) == kErrorTextsAt + TextBytes(kErrorTexts, 5));
static_assert(offsetof(RFC_ERROR_INFO, abapMsgV2) == kErrorTextsAt + TextBytes(kErrorTexts, 6));
static_assert(offsetof(RFC_ERROR_INFO, abapMsgV3) == kErrorTextsAt + TextBytes(kErrorTexts, 7));
static_assert(offsetof(RFC_ERROR_INFO, abapMsgV4) == kErrorTextsAt + TextBytes(kErrorTexts, 8));
// The texts end on a 2-byte boundary; the record is padded to the alignment of its integers.
static_assert(sizeof(RFC_ERROR_INFO) == (kErrorTextsAt + TextBytes(kErrorTexts) + 3) / 4 * 4);

static_assert(offsetof(RFC_ATTRIBUTES, dest) == TextBytes(kAttributes, 0));
static_assert(offsetof(RFC_ATTRIBUTES, host) == TextBytes(kAttributes, 1));
static_assert(offsetof(RFC_ATTRIBUTES, partnerHost) == TextBytes(kAttributes, 2));
static_assert(offsetof(RFC_ATTRIBUTES, sysNumber) == TextBytes(kAttributes, 3));
static_assert(offsetof(RFC_ATTRIBUTES, sysId) == TextBytes(kAttributes, 4));
static_assert(offsetof(RFC_ATTRIBUTES, client) == TextBytes(kAttributes, 5));
static_assert(offsetof(RFC_ATTRIBUTES, user) == TextBytes(kAttributes, 6));
static_assert(offsetof(RFC_ATTRIBUTES, language) == TextBytes(kAttributes, 7));
static_assert(offsetof(RFC_ATTRIBUTES, trace) == TextBytes(kAttributes, 8));
static_assert(offsetof(RFC_ATTRIBUTES, isoLanguage) == TextBytes(kAttributes, 9));
static_assert(offsetof(RFC_ATTRIBUTES, codepage) == TextBytes(kAttributes, 10));
static_assert(offsetof(RFC_ATTRIBUTES, partnerCodepage) == TextBytes(kAttributes, 11));
static_assert(offsetof(RFC_ATTRIBUTES, rfcRole) == TextBytes(kAttributes, 12));
static_assert(offsetof(RFC_ATTRIBUTES, type) == TextBytes(kAttributes, 13));
static_assert(offsetof(RFC_ATTRIBUTES, partnerType) == TextBytes(kAttributes, 14));
static_assert(offsetof(RFC_ATTRIBUTES, rel) == TextBytes(kAttributes, 15));
static_assert(offsetof(RFC_ATTRIBUTES, partnerRel) == TextBytes(kAttributes, 16));
static_assert(offsetof(RFC_ATTRIBUTES, kernelRel) == TextBytes(kAttributes, 17));
static_assert(offsetof(RFC_ATTRIBUTES, cpicConvId) == TextBytes(kAttributes, 18));
static_assert(offsetof(RFC_ATTRIBUTES, progName) == TextBytes(kAttributes, 19));
static_assert(offsetof(RFC_ATTRIBUTES, partnerBytesPerChar) == TextBytes(kAttributes, 20));
static_assert(offsetof(RFC_ATTRIBUTES, partnerSystemCodepage) == TextBytes(kAttributes, 21));
static_assert(offsetof(RFC_ATTRIBUTES, partnerIP) == TextBytes(kAttributes, 22));
static_assert(offsetof(RFC_ATTRIBUTES, partnerIPv6) == TextBytes(kAttributes, 23));
static_assert(offsetof(RFC_ATTRIBUTES, reserved) == TextBytes(kAttributes, 24));
static_assert(sizeof(RFC_ATTRIBUTES) == TextBytes(kAttributes));

static_assert(offsetof(RFC_CONNECTION_PARAMETER, name) == 0);
static_assert(offsetof(RFC_CONNECTION_PARAMETER, value) == sizeof(void*));
static_assert(sizeof(RFC_CONNECTION_PARAMETER) == 2 * sizeof(void*));

static_assert(sizeof(RFC_CONNECTION_HANDLE) == 8 && sizeof(RFC_FUNCTION_DESC_HANDLE) == 8 &&
              sizeof(RFC_FUNCTION_HANDLE) == 8 && sizeof(RFC_TABLE_HANDLE) == 8 && sizeof(RFC_STRUCTURE_HANDLE) == 8);
