// Fields, structures and tables of functions. These calls are the hot path of reading large
// results: they take the registry's shared lock only, and allocate nothing.
#include <nwrfc/ErrorInfo.h>
#include <nwrfc/FunctionTable.h>
#include <nwrfc/FunctionObject.h>
#include <nwrfc/HandleRegistry.h>

#include <afx/MoveBytes.h>

#include <algorithm>

using namespace nwrfc;

namespace
{
uintptr_t Id(DATA_CONTAINER_HANDLE handle)
{
    return reinterpret_cast<uintptr_t>(handle);
}

DATA_CONTAINER_HANDLE Handle(uintptr_t id)
{
    return reinterpret_cast<DATA_CONTAINER_HANDLE>(id);
}

// A container handle resolved while the caller holds the registry's read guard.
struct CTarget
{
    CFunctionObject* function = nullptr;
    CContainer container;
};

// Resolve and FindField are steps of every field read: taken inline, they save two calls per
// read, a twentieth of the time that reading a large result takes.
[[gnu::always_inline]] inline RFC_RC Resolve(DATA_CONTAINER_HANDLE handle, RFC_ERROR_INFO* info, CTarget& target)
{
    target.function = static_cast<CFunctionObject*>(CHandleRegistry::Instance().Peek(Id(handle), HandleKind::Function));
    if (target.function == nullptr || !target.function->Resolve(CHandleRegistry::ViewOf(Id(handle)), target.container))
        return CErrorInfo::InvalidHandle(info);
    return RFC_OK;
}

RFC_RC ResolveTable(RFC_TABLE_HANDLE handle, RFC_ERROR_INFO* info, CTarget& target)
{
    const RFC_RC rc = Resolve(handle, info, target);
    if (rc == RFC_OK && target.container.table == nullptr)
        return CErrorInfo::Fail(info, RFC_INVALID_HANDLE, L"RFC_INVALID_HANDLE", L"The handle is no table handle.");
    return rc;
}

// The field of the given kind (any text kind when wantText) and the record it is read from.
[[gnu::always_inline]] inline RFC_RC FindField(const CContainer& container, const SAP_UC* name, bool wantText,
                                               RFC_ERROR_INFO* info, int& field)
{
    if (name == nullptr)
        return CErrorInfo::InvalidParameter(info, L"The field name is missing.");
    field = container.type->Find(name, *container.nextField);
    if (field < 0)
        return CErrorInfo::InvalidParameter(info, L"Field %s not found.", name);
    const sapsim::FieldKind kind = container.type->Field(field).kind;
    const bool isText = kind != sapsim::FieldKind::Structure && kind != sapsim::FieldKind::Table;
    if (wantText && !isText)
        return CErrorInfo::Fail(info, RFC_CONVERSION_FAILURE, L"RFC_CONVERSION_FAILURE",
                                L"The field is a structure or table, not a text.");
    if (container.record == nullptr)
        return CErrorInfo::Fail(info, RFC_ILLEGAL_STATE, L"RFC_ILLEGAL_STATE", L"The table has no current row.");
    return RFC_OK;
}

// Runs body(target, field) on a text field of the container.
template <typename Body>
RFC_RC OnText(EntryPoint entry, DATA_CONTAINER_HANDLE handle, const SAP_UC* name, RFC_ERROR_INFO* info, Body&& body)
{
    return Guarded(entry, info, [&](CThreadRecord& caller) {
        CHandleRegistry::CReadGuard guard(CHandleRegistry::Instance(), caller);
        CTarget target;
        int field = -1;
        RFC_RC rc = Resolve(handle, info, target);
        if (rc == RFC_OK)
            rc = FindField(target.container, name, true, info, field);
        return rc == RFC_OK ? body(target.container, field) : rc;
    });
}

// Runs body(target) on a table handle.
template <typename Body> RFC_RC OnTable(EntryPoint entry, RFC_TABLE_HANDLE handle, RFC_ERROR_INFO* info, Body&& body)
{
    return Guarded(entry, info, [&](CThreadRecord& caller) {
        CHandleRegistry::CReadGuard guard(CHandleRegistry::Instance(), caller);
        CTarget target;
        const RFC_RC rc = ResolveTable(handle, info, target);
        return rc == RFC_OK ? body(target) : rc;
    });
}

std::wstring_view Value(const CContainer& container, int field)
{
    return container.record->Get(container.base + container.type->SlotOf(field));
}
} // namespace

RFC_RC SAP_API SimRfcSetString(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, const SAP_UC* value,
                               unsigned valueLength, RFC_ERROR_INFO* errorInfo)
{
    return OnText(EntryPoint::SetString, dataHandle, name, errorInfo, [&](const CContainer& container, int field) {
        if (value == nullptr && valueLength > 0)
            return CErrorInfo::InvalidParameter(errorInfo, L"The value of %s is missing.", name);
        const sapsim::CFieldDef& def = container.type->Field(field);
        // A longer text would be cut on its way to the partner: refuse it rather than lose it.
        if (valueLength > def.width)
        {
            CString message;
            message.Format(L"The value for %s has %u characters; the field holds %u.", name, valueLength, def.width);
            return CErrorInfo::Fail(errorInfo, RFC_BUFFER_TOO_SMALL, L"RFC_BUFFER_TOO_SMALL", message);
        }
        container.record->Set(container.base + container.type->SlotOf(field),
                              std::wstring_view(value == nullptr ? L"" : value, valueLength));
        return CErrorInfo::Ok(errorInfo);
    });
}

RFC_RC SAP_API SimRfcGetString(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, SAP_UC* stringBuffer,
                               unsigned bufferLength, unsigned* stringLength, RFC_ERROR_INFO* errorInfo)
{
    return OnText(EntryPoint::GetString, dataHandle, name, errorInfo, [&](const CContainer& container, int field) {
        if (stringBuffer == nullptr && bufferLength > 0)
            return CErrorInfo::InvalidParameter(errorInfo, L"The buffer for %s is missing.", name);
        const std::wstring_view value = Value(container, field);
        const unsigned copied = static_cast<unsigned>(std::min<size_t>(value.size(), bufferLength));
        AfxMoveChars(stringBuffer, value.data(), copied);
        if (copied < bufferLength)
            stringBuffer[copied] = 0;
        if (stringLength != nullptr)
            *stringLength = copied;
        return CErrorInfo::Ok(errorInfo);
    });
}

RFC_RC SAP_API SimRfcGetChars(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, RFC_CHAR* charBuffer,
                              unsigned bufferLength, RFC_ERROR_INFO* errorInfo)
{
    return OnText(EntryPoint::GetChars, dataHandle, name, errorInfo, [&](const CContainer& container, int field) {
        if (charBuffer == nullptr && bufferLength > 0)
            return CErrorInfo::InvalidParameter(errorInfo, L"The buffer for %s is missing.", name);
        const std::wstring_view value = Value(container, field);
        const size_t copied = std::min<size_t>(value.size(), bufferLength);
        AfxMoveChars(charBuffer, value.data(), copied);
        std::fill(charBuffer + copied, charBuffer + bufferLength, L' ');
        return CErrorInfo::Ok(errorInfo);
    });
}

RFC_RC SAP_API SimRfcGetStructure(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name,
                                  RFC_STRUCTURE_HANDLE* structHandle, RFC_ERROR_INFO* errorInfo)
{
    return Guarded(EntryPoint::GetStructure, errorInfo, [&] {
        CHandleRegistry::CReadGuard guard(CHandleRegistry::Instance());
        CTarget target;
        RFC_RC rc = Resolve(dataHandle, errorInfo, target);
        if (rc != RFC_OK)
            return rc;
        if (structHandle == nullptr)
            return CErrorInfo::InvalidParameter(errorInfo, L"The handle for %s has nowhere to go.", name);
        const int field = name == nullptr ? -1 : target.container.type->Find(name);
        if (field < 0 || target.container.type->Field(field).kind != sapsim::FieldKind::Structure)
            return CErrorInfo::InvalidParameter(errorInfo, L"Structure %s not found.", name);
        // Inside a table the structure belongs to the row that its container reads.
        const unsigned parent = CHandleRegistry::ViewOf(Id(dataHandle));
        CView view = target.function->View(parent);
        view.type = target.container.type->Field(field).type;
        view.base = target.container.base + target.container.type->SlotOf(field);
        view.isTable = false;
        const unsigned number = target.function->ViewOf(view);
        if (number > CHandleRegistry::kMaxView)
            return CErrorInfo::Fail(errorInfo, RFC_MEMORY_INSUFFICIENT, L"RFC_MEMORY_INSUFFICIENT",
                                    L"Too many structure and row handles for one function.");
        *structHandle = Handle(CHandleRegistry::WithView(Id(dataHandle), number));
        return CErrorInfo::Ok(errorInfo);
    });
}

RFC_RC SAP_API SimRfcGetTable(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, RFC_TABLE_HANDLE* tableHandle,
                              RFC_ERROR_INFO* errorInfo)
{
    return Guarded(EntryPoint::GetTable, errorInfo, [&] {
        CHandleRegistry::CReadGuard guard(CHandleRegistry::Instance());
        CTarget target;
        RFC_RC rc = Resolve(dataHandle, errorInfo, target);
        if (rc != RFC_OK)
            return rc;
        if (tableHandle == nullptr)
            return CErrorInfo::InvalidParameter(errorInfo, L"The handle for %s has nowhere to go.", name);
        // Tables are parameters of the function only.
        const int field =
            name == nullptr || CHandleRegistry::ViewOf(Id(dataHandle)) != 0 ? -1 : target.container.type->Find(name);
        const int table = field < 0 ? -1 : target.container.type->TableOf(field);
        if (table < 0)
            return CErrorInfo::InvalidParameter(errorInfo, L"Table %s not found.", name);
        CView view;
        view.table = table;
        view.type = target.container.type->Field(field).type;
        view.isTable = true;
        *tableHandle = Handle(CHandleRegistry::WithView(Id(dataHandle), target.function->ViewOf(view)));
        return CErrorInfo::Ok(errorInfo);
    });
}

RFC_RC SAP_API SimRfcGetRowCount(RFC_TABLE_HANDLE tableHandle, unsigned* rowCount, RFC_ERROR_INFO* errorInfo)
{
    return OnTable(EntryPoint::GetRowCount, tableHandle, errorInfo, [&](CTarget& target) {
        if (rowCount == nullptr)
            return CErrorInfo::InvalidParameter(errorInfo, L"The row count has nowhere to go.");
        *rowCount = target.container.table->RowCount();
        return CErrorInfo::Ok(errorInfo);
    });
}

RFC_RC SAP_API SimRfcMoveTo(RFC_TABLE_HANDLE tableHandle, unsigned index, RFC_ERROR_INFO* errorInfo)
{
    return OnTable(EntryPoint::MoveTo, tableHandle, errorInfo, [&](CTarget& target) {
        if (!target.container.table->MoveTo(index))
            return CErrorInfo::Fail(errorInfo, RFC_TABLE_MOVE_EOF, L"RFC_TABLE_MOVE_EOF",
                                    L"The row index is beyond the end of the table.");
        return CErrorInfo::Ok(errorInfo);
    });
}

RFC_STRUCTURE_HANDLE SAP_API SimRfcAppendNewRow(RFC_TABLE_HANDLE tableHandle, RFC_ERROR_INFO* errorInfo)
{
    uintptr_t row = 0;
    OnTable(EntryPoint::AppendNewRow, tableHandle, errorInfo, [&](CTarget& target) {
        sapsim::CTable& table = *target.container.table;
        if (table.RowCount() >= CHandleRegistry::kMaxView)
            return CErrorInfo::Fail(errorInfo, RFC_MEMORY_INSUFFICIENT, L"RFC_MEMORY_INSUFFICIENT",
                                    L"Too many rows appended to one table.");
        table.Append();
        CView view = target.function->View(CHandleRegistry::ViewOf(Id(tableHandle)));
        view.row = table.Cursor();
        view.isTable = false;
        const unsigned number = target.function->ViewOf(view);
        if (number > CHandleRegistry::kMaxView)
            return CErrorInfo::Fail(errorInfo, RFC_MEMORY_INSUFFICIENT, L"RFC_MEMORY_INSUFFICIENT",
                                    L"Too many structure and row handles for one function.");
        row = CHandleRegistry::WithView(Id(tableHandle), number);
        return CErrorInfo::Ok(errorInfo);
    });
    return Handle(row);
}

RFC_RC SAP_API SimRfcDeleteAllRows(RFC_TABLE_HANDLE tableHandle, RFC_ERROR_INFO* errorInfo)
{
    return OnTable(EntryPoint::DeleteAllRows, tableHandle, errorInfo, [&](CTarget& target) {
        target.container.table->Clear();
        return CErrorInfo::Ok(errorInfo);
    });
}
