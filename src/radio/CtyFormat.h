// Reading the widely used DXCC country file format "cty.dat" (and the ADIF
// entity numbers of its companion "cty.csv"). An entity is a header line
//   name: CQ zone: ITU zone: continent: latitude: longitude: UTC offset: prefix:
// followed by its prefixes, separated by commas and ended by ";". A prefix
// written "=CALL" stands for exactly that call; any prefix may carry
// overrides: (CQ zone) [ITU zone] <lat/lon> {continent} ~UTC offset~.
// A primary prefix beginning with "*" marks an entity that counts only for
// the WAE list. Lines that cannot be read are skipped and counted.
#pragma once

#include <istream>
#include <map>
#include <string>
#include <vector>

namespace mss::radio {

struct CtyPrefix {
    std::string text;  // upper case, without "=" and overrides
    bool exactCall = false;
    int cqZone = 0;  // 0 = the entity's
    int ituZone = 0;
    std::string continent;  // empty = the entity's
};

struct CtyEntity {
    std::string name;
    int cqZone = 0;
    int ituZone = 0;
    std::string continent;
    std::string primaryPrefix;  // upper case, without "*"
    bool waeOnly = false;
    std::vector<CtyPrefix> prefixes;
};

struct CtyFile {
    std::vector<CtyEntity> entities;
    int skipped = 0;  // header lines and prefixes that could not be read
};

CtyFile ReadCty(std::istream& in);

// The ADIF entity number of each primary prefix of a "cty.csv" file (as
// "cty.dat" writes it, upper case, without "*"); bad lines are skipped.
std::map<std::string, int> ReadCtyCsvCodes(std::istream& in);

}  // namespace mss::radio
