// The natures an account may have by its class, the kind of accounting unit and the fiscal
// year, the default that replaces one that does not fit, and the kind of activity cost and
// revenue accounts of kinds 3 and 4 get.
#include <gtest/gtest.h>

#include "pap/PovahaUctu.h"

namespace axo::pap {
namespace {

TEST(NatureRulesTest, AcceptableNaturesByClassKindAndYear) {
    struct Case {
        int account, kind, year;
        const char* natures;  ///< the default first
    } cases[] = {
        {13, 5, 2024, "ARP"},  {13, 3, 2024, "AR"},   {150, 5, 2024, "AP"},  {150, 1, 2024, "AR"},
        {311, 5, 2024, "RAP"}, {311, 0, 2024, "RAP"}, {401, 5, 2024, "A"},   {401, 0, 2024, "PR"},
        {401, 1, 2024, "PR"},  {401, 3, 2009, "A"},   {401, 3, 2010, "PR"},  {493, 3, 2024, "Z"},
        {465, 3, 2024, "A"},   {471, 3, 2024, "A"},   {472, 3, 2024, "P"},   {401, 2, 2024, "MN"},
        {401, 4, 2024, "MN"},  {501, 5, 2024, "P"},   {581, 5, 2024, "PZ"},  {501, 3, 2024, "NM"},
        {601, 5, 2024, "NM"},  {601, 0, 2024, "VW"},  {701, 5, 2024, "VW"},  {701, 0, 2024, "Z"},
        {719, 4, 2024, "Z"},   {701, 3, 2024, "X"},   {720, 0, 2024, "X"},   {801, 5, 2024, "NMVW"},
        {801, 2, 2024, "X"},   {901, 2, 2024, "RAP"}, {901, 3, 2009, "RAP"}, {901, 3, 2010, "X"},
        {901, 1, 2024, "X"},   {961, 4, 2024, "Z"},   {961, 0, 2024, "X"},   {975, 2, 2024, "X"},
        {901, 5, 2024, "X"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text::FromBytes(c.natures), AcceptableNatures(c.account, c.kind, c.year))
            << c.account << " kind " << c.kind << " year " << c.year;
}

TEST(NatureRulesTest, UnfitNatureGivesWayToTheDefault) {
    struct Case {
        int account, kind;
        char nature, fitted;
        int activity, fittedActivity;
    } cases[] = {
        {581, 5, 'Z', 'Z', 0, 0},  // kind 5: 580-589 may close
        {501, 5, 'N', 'P', 0, 0},  // kind 5: class 5 is liabilities
        {501, 3, 'V', 'N', 0, 1},  // cost account of a contributory organisation: main activity
        {601, 4, 'W', 'W', 2, 2},  // an activity given stays
        {311, 3, 0, 'R', 0, 0},    // no nature yet: the default
        {311, 2, 'P', 'P', 0, 0},
    };
    for (const Case& c : cases) {
        tVetaRozvrh account;
        account.SE = static_cast<Word>(c.account);
        account.AKT_PAS = static_cast<Byte>(c.nature);
        account.PO_CINNOST = static_cast<Byte>(c.activity);
        FitNatureAndActivity(account, c.kind, 2024);
        EXPECT_EQ(c.fitted, static_cast<char>(account.AKT_PAS)) << c.account << " " << c.kind;
        EXPECT_EQ(c.fittedActivity, account.PO_CINNOST) << c.account << " " << c.kind;
    }
}

}  // namespace
}  // namespace axo::pap
