// C interface of the SAP NetWeaver RFC library, Unicode flavour: every text is UTF-16. The
// program calls it through nwrfc's binding: an installed library with this interface when there
// is one, else the built-in simulated landscape. The types have the installed library's binary
// layout on Windows x64 (held by the asserts in Layout.cpp).
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C"
{
#endif

#ifndef SAP_API
#define SAP_API __stdcall
#endif

    typedef wchar_t SAP_UC;
    typedef SAP_UC RFC_CHAR;
    typedef int RFC_INT;

#ifdef __cplusplus
    static_assert(sizeof(SAP_UC) == 2, "SAP_UC is a UTF-16 code unit");
#endif

    typedef enum _RFC_RC
    {
        RFC_OK,
        RFC_COMMUNICATION_FAILURE,
        RFC_LOGON_FAILURE,
        RFC_ABAP_RUNTIME_FAILURE,
        RFC_ABAP_MESSAGE,
        RFC_ABAP_EXCEPTION,
        RFC_CLOSED,
        RFC_CANCELED,
        RFC_TIMEOUT,
        RFC_MEMORY_INSUFFICIENT,
        RFC_VERSION_MISMATCH,
        RFC_INVALID_PROTOCOL,
        RFC_SERIALIZATION_FAILURE,
        RFC_INVALID_HANDLE,
        RFC_RETRY,
        RFC_EXTERNAL_FAILURE,
        RFC_EXECUTED,
        RFC_NOT_FOUND,
        RFC_NOT_SUPPORTED,
        RFC_ILLEGAL_STATE,
        RFC_INVALID_PARAMETER,
        RFC_CODEPAGE_CONVERSION_FAILURE,
        RFC_CONVERSION_FAILURE,
        RFC_BUFFER_TOO_SMALL,
        RFC_TABLE_MOVE_BOF,
        RFC_TABLE_MOVE_EOF,
        RFC_START_SAPGUI_FAILURE,
        RFC_ABAP_CLASS_EXCEPTION,
        RFC_UNKNOWN_ERROR,
        RFC_AUTHORIZATION_FAILURE,
        RFC_AUTHENTICATION_FAILURE,
        RFC_CRYPTOLIB_FAILURE,
        RFC_IO_FAILURE,
        RFC_LOCKING_FAILURE,
        _RFC_RC_max_value
    } RFC_RC;

    typedef enum _RFC_ERROR_GROUP
    {
        OK,
        ABAP_APPLICATION_FAILURE,
        ABAP_RUNTIME_FAILURE,
        LOGON_FAILURE,
        COMMUNICATION_FAILURE,
        EXTERNAL_RUNTIME_FAILURE,
        EXTERNAL_APPLICATION_FAILURE,
        EXTERNAL_AUTHORIZATION_FAILURE
    } RFC_ERROR_GROUP;

    typedef struct _RFC_ERROR_INFO
    {
        RFC_RC code;
        RFC_ERROR_GROUP group;
        SAP_UC key[128];
        SAP_UC message[512];
        SAP_UC abapMsgClass[20 + 1];
        SAP_UC abapMsgType[1 + 1];
        SAP_UC abapMsgNumber[3 + 1];
        SAP_UC abapMsgV1[50 + 1];
        SAP_UC abapMsgV2[50 + 1];
        SAP_UC abapMsgV3[50 + 1];
        SAP_UC abapMsgV4[50 + 1];
    } RFC_ERROR_INFO;

    typedef struct _RFC_CONNECTION_PARAMETER
    {
        const SAP_UC* name;
        const SAP_UC* value;
    } RFC_CONNECTION_PARAMETER, *P_RFC_CONNECTION_PARAMETER;

    // Every text is zero-terminated within its width.
    typedef struct _RFC_ATTRIBUTES
    {
        SAP_UC dest[64 + 1];
        SAP_UC host[100 + 1];
        SAP_UC partnerHost[100 + 1];
        SAP_UC sysNumber[2 + 1];
        SAP_UC sysId[8 + 1];
        SAP_UC client[3 + 1];
        SAP_UC user[12 + 1];
        SAP_UC language[2 + 1];
        SAP_UC trace[1 + 1];
        SAP_UC isoLanguage[2 + 1];
        SAP_UC codepage[4 + 1];
        SAP_UC partnerCodepage[4 + 1];
        SAP_UC rfcRole[1 + 1];
        SAP_UC type[1 + 1];
        SAP_UC partnerType[1 + 1];
        SAP_UC rel[4 + 1];
        SAP_UC partnerRel[4 + 1];
        SAP_UC kernelRel[4 + 1];
        SAP_UC cpicConvId[8 + 1];
        SAP_UC progName[128 + 1];
        SAP_UC partnerBytesPerChar[1 + 1];
        SAP_UC partnerSystemCodepage[4 + 1];
        SAP_UC partnerIP[15 + 1];
        SAP_UC partnerIPv6[45 + 1];
        SAP_UC reserved[17];
    } RFC_ATTRIBUTES, *P_RFC_ATTRIBUTES;

    // Opaque handles; null means failure. Functions, structures and tables (a table handle
    // reads as its current row) are all data containers.
    typedef struct _RFC_CONNECTION_HANDLE
    {
        void* handle;
    } * RFC_CONNECTION_HANDLE;
    typedef struct _RFC_FUNCTION_DESC_HANDLE
    {
        void* handle;
    } * RFC_FUNCTION_DESC_HANDLE;
    typedef struct _DATA_CONTAINER_HANDLE
    {
        void* handle;
    } * DATA_CONTAINER_HANDLE;
    typedef DATA_CONTAINER_HANDLE RFC_FUNCTION_HANDLE;
    typedef DATA_CONTAINER_HANDLE RFC_STRUCTURE_HANDLE;
    typedef DATA_CONTAINER_HANDLE RFC_TABLE_HANDLE;

    // Connections.
    RFC_CONNECTION_HANDLE SAP_API RfcOpenConnection(const RFC_CONNECTION_PARAMETER* connectionParams,
                                                    unsigned paramCount, RFC_ERROR_INFO* errorInfo);
    RFC_RC SAP_API RfcCloseConnection(RFC_CONNECTION_HANDLE rfcHandle, RFC_ERROR_INFO* errorInfo);
    RFC_RC SAP_API RfcPing(RFC_CONNECTION_HANDLE rfcHandle, RFC_ERROR_INFO* errorInfo);
    RFC_RC SAP_API RfcGetConnectionAttributes(RFC_CONNECTION_HANDLE rfcHandle, RFC_ATTRIBUTES* attr,
                                              RFC_ERROR_INFO* errorInfo);

    // Function modules.
    RFC_FUNCTION_DESC_HANDLE SAP_API RfcGetFunctionDesc(RFC_CONNECTION_HANDLE rfcHandle, const SAP_UC* funcName,
                                                        RFC_ERROR_INFO* errorInfo);
    RFC_FUNCTION_HANDLE SAP_API RfcCreateFunction(RFC_FUNCTION_DESC_HANDLE funcDescHandle, RFC_ERROR_INFO* errorInfo);
    RFC_RC SAP_API RfcDestroyFunction(RFC_FUNCTION_HANDLE funcHandle, RFC_ERROR_INFO* errorInfo);
    RFC_RC SAP_API RfcInvoke(RFC_CONNECTION_HANDLE rfcHandle, RFC_FUNCTION_HANDLE funcHandle,
                             RFC_ERROR_INFO* errorInfo);
    RFC_RC SAP_API RfcSetParameterActive(RFC_FUNCTION_HANDLE funcHandle, const SAP_UC* paramName, int isActive,
                                         RFC_ERROR_INFO* errorInfo);

    // Fields of functions, structures and table rows.
    RFC_RC SAP_API RfcSetString(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, const SAP_UC* value,
                                unsigned valueLength, RFC_ERROR_INFO* errorInfo);
    // Copies at most bufferLength characters, a terminator only when there is room for it;
    // stringLength receives the number of characters copied.
    RFC_RC SAP_API RfcGetString(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, SAP_UC* stringBuffer,
                                unsigned bufferLength, unsigned* stringLength, RFC_ERROR_INFO* errorInfo);
    // Fills all bufferLength characters, padding with blanks; no terminator.
    RFC_RC SAP_API RfcGetChars(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, RFC_CHAR* charBuffer,
                               unsigned bufferLength, RFC_ERROR_INFO* errorInfo);
    RFC_RC SAP_API RfcGetStructure(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name,
                                   RFC_STRUCTURE_HANDLE* structHandle, RFC_ERROR_INFO* errorInfo);
    RFC_RC SAP_API RfcGetTable(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, RFC_TABLE_HANDLE* tableHandle,
                               RFC_ERROR_INFO* errorInfo);

    // Tables.
    RFC_RC SAP_API RfcGetRowCount(RFC_TABLE_HANDLE tableHandle, unsigned* rowCount, RFC_ERROR_INFO* errorInfo);
    RFC_RC SAP_API RfcMoveTo(RFC_TABLE_HANDLE tableHandle, unsigned index, RFC_ERROR_INFO* errorInfo);
    RFC_STRUCTURE_HANDLE SAP_API RfcAppendNewRow(RFC_TABLE_HANDLE tableHandle, RFC_ERROR_INFO* errorInfo);
    RFC_RC SAP_API RfcDeleteAllRows(RFC_TABLE_HANDLE tableHandle, RFC_ERROR_INFO* errorInfo);

    // The library's version text; each number pointer may be null.
    const SAP_UC* SAP_API RfcGetVersion(unsigned* majorVersion, unsigned* minorVersion, unsigned* patchLevel);

#ifdef __cplusplus
}
#endif
