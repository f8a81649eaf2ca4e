// The landscape file: a UTF-8 text file (UTF-16 with its byte-order mark is read too), one fact
// per line, '#' starts a comment. A line is a keyword, one or two names and key=value settings;
// values with blanks are written in double quotes, lists are separated by commas. Hosts and
// databases come before what uses them, and the file describes at least one system.
//
//   seed 5072
//   host saplx01 os=Linux release=5.14.21 ip=10.20.1.11 domain=lumiter.example cpus=16 mhz=2100 memory=131072
//   swap=32768 timezone=3600 model="Intel(R) Xeon(R) Gold 6230" disks=sda:1048576,sdb:2097152 lans=eth0,lo database PRD
//   system=ORACLE host=saplx01 release=10.2.0 system PRD release=700 kernel=700 database=PRD clients=000,100 user PRD
//   LUMITER password=Lumiter5! auth=* instance PRD host=saplx01 sysnr=00
//   services=dialog,update,enqueue,background,spool table PRD TRDIR rows=30000
//
// Memory and disk sizes are in MB, the time zone in seconds east of UTC. "auth" lists the
// authorization objects of the user, * for all. Services are dialog, update, enqueue,
// background, spool, update2, atp and icm. A table other than TRDIR, RSDDSTAT_OLAP and
// RSDDSTAT_DM takes fields=N. An instance may take statrecords=N, the statistic records it
// writes per minute (20 by default). Only the names and, for hosts, os are required.
#pragma once

#include <sapsim/Topology.h>

namespace sapsim
{

class CLandscapeFile
{
public:
    // Throws CLandscapeException naming the file and the line of the first error.
    static CTopology Parse(const CString& text, const CString& file);
    // Reads UTF-8, with or without a byte-order mark, and UTF-16 with its mark. Throws
    // CFileException when the file cannot be read.
    static CTopology Read(LPCWSTR path);
};

} // namespace sapsim
