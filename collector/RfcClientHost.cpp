// The host data: the figures of the host's operating-system collector, its parameters, the
// environment of the application server and the hardware description file.
#include <collector/RfcClient.h>
#include <rfc/ControlPerfRequest.h>
#include <rfc/GetCpuAll.h>
#include <rfc/GetCpuVirtHox.h>
#include <rfc/GetDiskSingle.h>
#include <rfc/GetFsysSingle.h>
#include <rfc/GetKEMRALparInfo.h>
#include <rfc/GetKEMRASpagAll.h>
#include <rfc/GetKEMRAStorAll.h>
#include <rfc/GetLanSingle.h>
#include <rfc/GetMemAll.h>
#include <rfc/GetParameter.h>
#include <rfc/GetTopSingle.h>
#include <rfc/SmonReadHardwareDescrFile.h>
#include <rfc/ThEnvironment.h>

namespace
{
constexpr RecordField<CGetCpuAll> kCpuAllFields[] = {
    RECORD_TIME(CGetCpuAll, 0),
    RECORD_FIELD(CGetCpuAll, 8, 4, Int32, NBR_CPU),
    RECORD_FIELD(CGetCpuAll, 12, 4, Int32, LOAD1_AVG),
    RECORD_FIELD(CGetCpuAll, 16, 4, Int32, LOAD5_AVG),
    RECORD_FIELD(CGetCpuAll, 20, 4, Int32, LOAD15_AVG),
    RECORD_FIELD(CGetCpuAll, 24, 4, Int32, INT_SEC),
    RECORD_FIELD(CGetCpuAll, 28, 4, Int32, SYSC_SEC),
    RECORD_FIELD(CGetCpuAll, 32, 4, Int32, CS_SEC),
    RECORD_FIELD(CGetCpuAll, 36, 4, Int32, USR_TOTAL),
    RECORD_FIELD(CGetCpuAll, 40, 4, Int32, SYS_TOTAL),
    RECORD_FIELD(CGetCpuAll, 44, 4, Int32, IDLE_TOTAL),
    RECORD_FIELD(CGetCpuAll, 48, 4, Int32, IDLE_TRUE),
    RECORD_FIELD(CGetCpuAll, 52, 4, Int32, WAIT_TRUE),
};
constexpr RecordLayout<CGetCpuAll> kCpuAllLayout{56, kCpuAllFields};
static_assert(kCpuAllLayout.IsValid());

constexpr RecordField<CGetCpuVirtHox> kCpuVirtHoxFields[] = {
    RECORD_TIME(CGetCpuVirtHox, 0),
    RECORD_FIELD(CGetCpuVirtHox, 8, 20, Text, PARTITION_NAME),
    RECORD_FIELD(CGetCpuVirtHox, 28, 4, Int32, PARTITION_ID),
    RECORD_FIELD(CGetCpuVirtHox, 32, 4, Int32, PARTITION_TYPE),
    RECORD_FIELD(CGetCpuVirtHox, 36, 4, Int32, POOL_CPU),
    RECORD_FIELD(CGetCpuVirtHox, 40, 4, Int32, VIRTUAL_CPU),
    RECORD_FIELD(CGetCpuVirtHox, 44, 4, Int32, PART_CONFIG),
    RECORD_FIELD(CGetCpuVirtHox, 48, 4, Int32, THREADS),
    RECORD_FIELD(CGetCpuVirtHox, 52, 4, Int32, PHYS_CPU_CONSUMP),
    RECORD_FIELD(CGetCpuVirtHox, 56, 4, Int32, PHYS_CPU_IDLE),
    RECORD_FIELD(CGetCpuVirtHox, 60, 4, Int32, ENTITLEMENT),
    RECORD_FIELD(CGetCpuVirtHox, 64, 4, Int32, ENTITLEMENT_CONSUMP),
    RECORD_FIELD(CGetCpuVirtHox, 68, 4, Int32, AVAILABLE),
    RECORD_FIELD(CGetCpuVirtHox, 72, 4, Int32, AVAILABLE_CONSUMP),
    RECORD_FIELD(CGetCpuVirtHox, 76, 32, Text, MODELNAME),
    RECORD_FIELD(CGetCpuVirtHox, 108, 32, Text, PROCESSOR),
    RECORD_FIELD(CGetCpuVirtHox, 140, 4, Int32, FREQUENCY),
};
constexpr RecordLayout<CGetCpuVirtHox> kCpuVirtHoxLayout{144, kCpuVirtHoxFields};
static_assert(kCpuVirtHoxLayout.IsValid());

constexpr RecordField<CGetMemAll> kMemAllFields[] = {
    RECORD_TIME(CGetMemAll, 0),
    RECORD_FIELD(CGetMemAll, 8, 4, Int32, IN_PG_SEC),
    RECORD_FIELD(CGetMemAll, 12, 4, Int32, OUT_PG_SEC),
    RECORD_FIELD(CGetMemAll, 16, 4, Int32, IN_KB_SEC),
    RECORD_FIELD(CGetMemAll, 20, 4, Int32, OUT_KB_SEC),
    RECORD_FIELD(CGetMemAll, 24, 4, Int32, FREE_MEM),
    RECORD_FIELD(CGetMemAll, 28, 4, Int32, PHYS_MEM),
    RECORD_FIELD(CGetMemAll, 32, 4, Int32, SWAP_CONF),
    RECORD_FIELD(CGetMemAll, 36, 4, Int32, SWAP_FREE),
    RECORD_FIELD(CGetMemAll, 40, 4, Int32, SWAP_SIZE),
    RECORD_FIELD(CGetMemAll, 44, 4, Int32, SWAP_MAX),
};
constexpr RecordLayout<CGetMemAll> kMemAllLayout{48, kMemAllFields};
static_assert(kMemAllLayout.IsValid());

constexpr RecordField<CGetDiskSingle> kDiskSingleFields[] = {
    RECORD_TIME(CGetDiskSingle, 0),
    RECORD_FIELD(CGetDiskSingle, 8, 72, Text, DISKNAME),
    RECORD_FIELD(CGetDiskSingle, 80, 4, Int32, UTIL),
    RECORD_FIELD(CGetDiskSingle, 84, 4, Int32, AVG_QUEUEL),
    RECORD_FIELD(CGetDiskSingle, 88, 4, Int32, AVG_WAIT),
    RECORD_FIELD(CGetDiskSingle, 92, 4, Int32, AVG_SERVIC),
    RECORD_FIELD(CGetDiskSingle, 96, 4, Int32, KB_SEC),
    RECORD_FIELD(CGetDiskSingle, 100, 4, Int32, OP_SEC),
    RECORD_FIELD(CGetDiskSingle, 104, 4, Int32, RESPONSE),
};
constexpr RecordLayout<CGetDiskSingle> kDiskSingleLayout{108, kDiskSingleFields};
static_assert(kDiskSingleLayout.IsValid());

constexpr RecordField<CGetFsysSingle> kFsysSingleFields[] = {
    RECORD_TIME(CGetFsysSingle, 0),
    RECORD_FIELD(CGetFsysSingle, 8, 72, Text, FSYSNAME),
    RECORD_FIELD(CGetFsysSingle, 80, 4, Int32, CAPACITY),
    RECORD_FIELD(CGetFsysSingle, 84, 4, Int32, FREE),
};
constexpr RecordLayout<CGetFsysSingle> kFsysSingleLayout{88, kFsysSingleFields};
static_assert(kFsysSingleLayout.IsValid());

constexpr RecordField<CGetLanSingle> kLanSingleFields[] = {
    RECORD_TIME(CGetLanSingle, 0),
    RECORD_FIELD(CGetLanSingle, 8, 16, Text, LANNAME),
    RECORD_FIELD(CGetLanSingle, 24, 4, Int32, IN_PACKETS),
    RECORD_FIELD(CGetLanSingle, 28, 4, Int32, OUT_PACKET),
    RECORD_FIELD(CGetLanSingle, 32, 4, Int32, IN_ERRORS),
    RECORD_FIELD(CGetLanSingle, 36, 4, Int32, OUT_ERRORS),
    RECORD_FIELD(CGetLanSingle, 40, 4, Int32, COLLISIONS),
    RECORD_FIELD(CGetLanSingle, 44, 4, Int32, PACKETS),
};
constexpr RecordLayout<CGetLanSingle> kLanSingleLayout{48, kLanSingleFields};
static_assert(kLanSingleLayout.IsValid());

// No time: the process list is a picture, not a series.
constexpr RecordField<CGetTopSingle> kTopSingleFields[] = {
    RECORD_FIELD(CGetTopSingle, 0, 4, Int32, PROC_ID),   RECORD_FIELD(CGetTopSingle, 4, 24, Text, USERNAME),
    RECORD_FIELD(CGetTopSingle, 28, 40, Text, COMMAND),  RECORD_FIELD(CGetTopSingle, 68, 4, Int32, CPU_UTIL),
    RECORD_FIELD(CGetTopSingle, 72, 16, Text, CPU_TIME), RECORD_FIELD(CGetTopSingle, 88, 4, Int32, RES_SIZE),
    RECORD_FIELD(CGetTopSingle, 92, 4, Int32, PRIORITY), RECORD_FIELD(CGetTopSingle, 96, 4, Int32, PRIV_PAGES),
};
constexpr RecordLayout<CGetTopSingle> kTopSingleLayout{100, kTopSingleFields};
static_assert(kTopSingleLayout.IsValid());

// Every partition's record repeats the machine's export values; no time.
constexpr RecordField<CGetKEMRALparInfo> kLparInfoFields[] = {
    RECORD_FIELD(CGetKEMRALparInfo, 0, 104, Text, CPU_MODEL),
    RECORD_FIELD(CGetKEMRALparInfo, 104, 4, Int32, NUM_OF_PROCESSORS),
    RECORD_FIELD(CGetKEMRALparInfo, 108, 4, Int32, NUM_OF_LOG_PARTITIONS),
    RECORD_FIELD(CGetKEMRALparInfo, 112, 20, Text, NAME),
    RECORD_FIELD(CGetKEMRALparInfo, 132, 2, Text, ACTIVE),
    RECORD_FIELD(CGetKEMRALparInfo, 134, 8, Text, CPUS),
    RECORD_FIELD(CGetKEMRALparInfo, 142, 8, Text, WEIGHT),
    RECORD_FIELD(CGetKEMRALparInfo, 150, 6, Text, CAPPING),
};
constexpr RecordLayout<CGetKEMRALparInfo> kLparInfoLayout{156, kLparInfoFields};
static_assert(kLparInfoLayout.IsValid());

constexpr RecordField<CGetKEMRASpagAll> kSpagAllFields[] = {
    RECORD_TIME(CGetKEMRASpagAll, 0),
    RECORD_FIELD(CGetKEMRASpagAll, 8, 4, Int32, INTRVALSEC),
    RECORD_FIELD(CGetKEMRASpagAll, 12, 4, Int32, AVGPROCUTL),
    RECORD_FIELD(CGetKEMRASpagAll, 16, 4, Int32, AVGSYSPGRT),
    RECORD_FIELD(CGetKEMRASpagAll, 20, 4, Int32, AVGKEMRACUTL),
    RECORD_FIELD(CGetKEMRASpagAll, 24, 4, Int32, PG_IN),
    RECORD_FIELD(CGetKEMRASpagAll, 28, 4, Int32, PG_OUT),
    RECORD_FIELD(CGetKEMRASpagAll, 32, 4, Int32, PG_IN_PRV),
    RECORD_FIELD(CGetKEMRASpagAll, 36, 4, Int32, PG_OT_PRV),
    RECORD_FIELD(CGetKEMRASpagAll, 40, 4, Int32, PG_TO_EXST),
    RECORD_FIELD(CGetKEMRASpagAll, 44, 4, Int32, PG_FR_EXST),
    RECORD_FIELD(CGetKEMRASpagAll, 48, 4, Int32, PG_IN_BLCK),
    RECORD_FIELD(CGetKEMRASpagAll, 52, 4, Int32, PG_IN_BNUM),
};
constexpr RecordLayout<CGetKEMRASpagAll> kSpagAllLayout{56, kSpagAllFields};
static_assert(kSpagAllLayout.IsValid());

constexpr RecordField<CGetKEMRAStorAll> kStorAllFields[] = {
    RECORD_TIME(CGetKEMRAStorAll, 0),
    RECORD_FIELD(CGetKEMRAStorAll, 8, 4, Int32, INTRVALSEC),
    RECORD_FIELD(CGetKEMRAStorAll, 12, 4, Int32, HIGH_UIC_C),
    RECORD_FIELD(CGetKEMRAStorAll, 16, 4, Int32, X_MIG_AGE),
    RECORD_FIELD(CGetKEMRAStorAll, 20, 4, Int32, C_FRM_AVAL),
    RECORD_FIELD(CGetKEMRAStorAll, 24, 4, Int32, X_FRM_AVAL),
};
constexpr RecordLayout<CGetKEMRAStorAll> kStorAllLayout{28, kStorAllFields};
static_assert(kStorAllLayout.IsValid());

// The integers after the odd-length texts stand at 2-byte alignment.
constexpr RecordField<CGetParameter> kParameterFields[] = {
    RECORD_FIELD(CGetParameter, 0, 4, Int32, FP_RECCOUNT),
    RECORD_FIELD(CGetParameter, 4, 4, Int32, FP_MAXRECORDS),
    RECORD_FIELD(CGetParameter, 8, 4, Int32, FP_RECORDSIZE),
    RECORD_FIELD(CGetParameter, 12, 4, Int32, FP_ACTIVEFLAG),
    RECORD_FIELD(CGetParameter, 16, 4, Int32, FP_INTERVAL),
    RECORD_FIELD(CGetParameter, 20, 104, Text, FP_COLLVERSION),
    RECORD_FIELD(CGetParameter, 124, 50, Text, FP_COLLSINCE),
    RECORD_FIELD(CGetParameter, 174, 104, Text, FP_OPSYSTEM),
    RECORD_FIELD(CGetParameter, 278, 4, Int32, FP_DETAILSCOLL),
    RECORD_FIELD(CGetParameter, 282, 4, Int32, FP_DETAILSREQI),
    RECORD_FIELD(CGetParameter, 286, 4, Int32, FP_DETAILSMODE),
    RECORD_FIELD(CGetParameter, 290, 50, Text, FP_LASTCOLLWRT),
    RECORD_FIELD(CGetParameter, 340, 4, Int32, FP_LASTCOLLINT),
    RECORD_FIELD(CGetParameter, 344, 4, Int32, FP_NORMCOLLINT),
    RECORD_FIELD(CGetParameter, 348, 4, Int32, FP_TRACELEVEL),
    RECORD_FIELD(CGetParameter, 352, 4, Int32, FP_IDLEINTERVAL),
    RECORD_FIELD(CGetParameter, 356, 4, Int32, FP_IDLEAFTER),
};
constexpr RecordLayout<CGetParameter> kParameterLayout{360, kParameterFields};
static_assert(kParameterLayout.IsValid());

// A text file of one line per row of the table, recreated even when the table has no rows.
template <class R>
void WriteTextLines(R& reader, const CString& strPath, LPCTSTR lpszTable, CString R::*pLine,
                    const CRfcConnection& connection)
{
    CSessionFile file(strPath, SessionFileMode::Text, connection);
    if (!file.IsOpen())
        return;
    const unsigned nRows = reader.GetTableRowCount(lpszTable);
    for (unsigned nRow = 0; nRow < nRows && !connection.GetStopFlag(); ++nRow)
    {
        reader.OnTableRow(lpszTable, nRow);
        file.WriteLine(reader.*pLine);
    }
    if (nRows > 0)
        reader.DeleteTableRows(lpszTable);
    file.Close();
}
} // namespace

void CRfcClient::GetCpuAll()
{
    GetHostReader(m_pGetCpuAll);
}

void CRfcClient::WriteCpuAllFile()
{
    WriteTable(m_pGetCpuAll, fileCpuAll, SessionFileMode::History, _T("TF_CPU_ALL"), kCpuAllLayout);
}

void CRfcClient::GetCpuVirtHox()
{
    GetHostReader(m_pGetCpuVirtHox);
}

void CRfcClient::WriteCpuVirtHoxFile()
{
    // A host that reported partition 0 last time is not partitioned: nothing more to record.
    if (m_pGetCpuVirtHox != nullptr && m_pGetCpuVirtHox->PARTITION_ID == _T("0"))
        return;
    WriteTable(m_pGetCpuVirtHox, fileCpuVirtHox, SessionFileMode::History, _T("TF_CPU_VIRT_HOX"), kCpuVirtHoxLayout);
}

void CRfcClient::GetMemAll()
{
    GetHostReader(m_pGetMemAll);
}

void CRfcClient::WriteMemAllFile()
{
    WriteTable(m_pGetMemAll, fileMemAll, SessionFileMode::History, _T("TF_MEM_ALL"), kMemAllLayout);
}

void CRfcClient::GetDiskSingle()
{
    GetHostReader(m_pGetDiskSingle);
}

void CRfcClient::WriteDiskSingleFile()
{
    WriteTable(m_pGetDiskSingle, fileDiskSingle, SessionFileMode::History, _T("TF_DISK_SINGLE"), kDiskSingleLayout);
}

void CRfcClient::GetFsysSingle()
{
    GetHostReader(m_pGetFsysSingle);
}

void CRfcClient::WriteFsysSingleFile()
{
    WriteTable(m_pGetFsysSingle, fileFsysSingle, SessionFileMode::History, _T("TF_FSYS_SINGLE"), kFsysSingleLayout);
}

void CRfcClient::GetLanSingle()
{
    GetHostReader(m_pGetLanSingle);
}

void CRfcClient::WriteLanSingleFile()
{
    WriteTable(m_pGetLanSingle, fileLanSingle, SessionFileMode::History, _T("TF_LAN_SINGLE"), kLanSingleLayout);
}

void CRfcClient::GetTopSingle()
{
    GetHostReader(m_pGetTopSingle);
}

void CRfcClient::WriteTopSingleFile()
{
    WriteTable(m_pGetTopSingle, fileTopSingle, SessionFileMode::History, _T("TF_TOP_SINGLE"), kTopSingleLayout);
}

void CRfcClient::GetLparInfo()
{
    GetHostReader(m_pGetLparInfo);
}

void CRfcClient::WriteLparInfoFile()
{
    WriteTable(m_pGetLparInfo, fileLparInfo, SessionFileMode::History, _T("TF_LPAR_INFO"), kLparInfoLayout);
}

void CRfcClient::GetSpagAll()
{
    GetHostReader(m_pGetSpagAll);
}

void CRfcClient::WriteSpagAllFile()
{
    WriteTable(m_pGetSpagAll, fileSpagAll, SessionFileMode::History, _T("TF_SPAG_ALL"), kSpagAllLayout);
}

void CRfcClient::GetStorAll()
{
    GetHostReader(m_pGetStorAll);
}

void CRfcClient::WriteStorAllFile()
{
    WriteTable(m_pGetStorAll, fileStorAll, SessionFileMode::History, _T("TF_STOR_ALL"), kStorAllLayout);
}

void CRfcClient::WriteParameterFile()
{
    WriteRecord(m_pGetParameter, fileSaposcol, SessionFileMode::Snapshot, kParameterLayout);
}

void CRfcClient::GetThEnvironment()
{
    if (CThEnvironment* pEnvironment = Prepare(m_pThEnvironment))
        pEnvironment->CallFunctionModule(this);
}

void CRfcClient::WriteEnvironmentFile()
{
    if (CThEnvironment* pEnvironment = Result(m_pThEnvironment))
        WriteTextLines(*pEnvironment, m_strFiles[fileEnvironment], _T("ENVIRONMENT"), &CThEnvironment::LINE, *this);
}

void CRfcClient::ControlPerfRequest()
{
    if (CControlPerfRequest* pRequest = Prepare(m_pControlPerfRequest))
    {
        // Hardware description files are made by requests of type 112: mode P starts one, mode
        // G asks for the file that it wrote.
        pRequest->REQUEST_ID = _T("-1");
        SendPerfRequest(*pRequest, _T("112"), _T("P"), _T(" "));
    }
}

void CRfcClient::ControlPerfRequest2()
{
    // The request id stays the one that the first request returned.
    if (CControlPerfRequest* pRequest = Prepare(m_pControlPerfRequest))
        SendPerfRequest(*pRequest, _T("112"), _T("G"), _T(" "));
}

void CRfcClient::ReadHardwareDescrFile()
{
    CSmonReadHardwareDescrFile* pRead = Prepare(m_pReadHardwareDescrFile);
    const CControlPerfRequest* pRequest = Result(m_pControlPerfRequest);
    if (pRead == nullptr || pRequest == nullptr || pRequest->REQUEST_RETURN_CODE != _T("0") ||
        pRequest->REQUEST_PARAM1.IsEmpty())
        return;
    pRead->FILE_NAME = pRequest->REQUEST_PARAM1;
    pRead->SetImportParameters();
    pRead->CallFunctionModule(this);
}

void CRfcClient::WriteHardwareDescrFile()
{
    if (CSmonReadHardwareDescrFile* pRead = Result(m_pReadHardwareDescrFile))
    {
        WriteTextLines(*pRead, m_strFiles[fileHardwareDescr], _T("HW_OBJECT_DESCR_TBL"),
                       &CSmonReadHardwareDescrFile::DESCR, *this);
    }
}
