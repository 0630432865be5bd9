#pragma once

#include "model/collection.h"

#include <string>
#include <vector>

namespace kt {

class UserDialogs;

// Minutes booked on cassette `number`: video-cassette films with that CasNr at positions up to 30.
long long CassetteFilmSum(const Collection& c, int number);
// The same for every cassette at once, indexed by list position - 1 (one pass over the films).
std::vector<long long> CassetteFilmSums(const Collection& c);

// The rule: effective total = GapLength + RestLength + the minutes booked on the cassette.
bool CassetteConsistent(const TCasRec& cas, long long filmSum);

// The report of a violated rule, as shown in the error box.
std::string CassetteReport(const Collection& c, int position, long long filmSum);

// Checks the cassette at list `position` (1..AnzCas, else std::out_of_range). True when the rule
// holds or when the cassette is the one last reported (LastReportedBadCas); otherwise the report
// goes to the trace log and an error box, and the result is false. LastReportedBadCas is left as
// it is: the callers that add a message of their own set it.
bool CassetteData_OK(const Collection& c, int position, UserDialogs& ui);

// Checks the cassettes in list order and stops at the first one CassetteData_OK rejects;
// `badPosition` is its list position (0 when all are fine).
bool AllCassettesOK(const Collection& c, UserDialogs& ui, int& badPosition);

// List positions of all inconsistent cassettes, ascending; no box, LastReportedBadCas ignored.
std::vector<int> NotOKCassettes(const Collection& c);
// The same as the check window lists them: each position padded with blanks to four characters.
std::vector<std::string> NotOKCasListEntries(const Collection& c);
std::string NotOKCasListEntry(int position);

} // namespace kt
