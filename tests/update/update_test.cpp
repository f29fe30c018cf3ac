// The update check without a window: version order, the document, and a local server behaving well or badly.

#include "support/localhttpserver.h"
#include "update/updatecheck.h"
#include "update/updatedocument.h"
#include "update/versionkey.h"

#include <gtest/gtest.h>
#include <wx/mstream.h>

#include <chrono>
#include <cstring>
#include <vector>

using testsupport::LocalHttpServer;

const char kProduct[] = "Tavrinex Gloamer";
const std::string kDocument = "<r><p name='Tavrinex Gloamer' version='3.0.20'/></r>";

TEST(VersionKey, OrderKeyAndTheDecisionToOfferAnUpdate)
{
    const char* const ascending[] = {"", "0.0.1", "3.0.9", "3.0.19", "3.0.20", "3.1.0", "10.0.0", "999.999.998"};
    for (size_t i = 0; i + 1 < std::size(ascending); ++i)
        EXPECT_LT(CompareVersions(ascending[i], ascending[i + 1]), 0) << ascending[i] << " < " << ascending[i + 1];
    const char* const cases[][2] = {
        {"v3.0.19", "003000019"}, {"3.0.19-beta2", "003000019"}, {"3.0.19.7", "003000019"}, {"3..5", "003000000"},
        {"3.0.1000", "003000999"}, {"12345678901234567890.1.2", "999001002"}, {"abc", "000000000"},
        {"\xef\xbc\x93.1", "001000000"}, // a full-width digit is no digit
    };
    for (const auto& c : cases)
    {
        char key[kVersionKeySize + 1];
        std::memset(key, 'x', sizeof key);
        MakeVersionKey(c[0], key);
        EXPECT_EQ(std::string(key, kVersionKeySize), c[1]) << c[0];
        EXPECT_EQ(key[kVersionKeySize], '\0') << c[0];
    }
    // Whatever is accepted goes into a message, so only a short run of digits and dots counts.
    using O = UpdateOutcome;
    const struct { std::string fetched; UpdateOutcome outcome; } decisions[] = {
        {"3.0.20", O::Newer}, {"3.0.19", O::Latest}, {"3.0.9", O::Latest}, {std::string(32, '9'), O::Newer},
        {std::string(33, '9'), O::Failed}, {"3.0.20-beta", O::Failed}, {"...", O::Failed}};
    for (const auto& c : decisions)
        EXPECT_EQ(DecideUpdate("3.0.19", wxString::FromUTF8(c.fetched)), c.outcome) << c.fetched.substr(0, 40);
}

TEST(UpdateCheck, TheDocumentAndEveryServerBehaviour)
{
    // In the document only the root's children count, and the last match wins.
    const char* const documents[][2] = {
        {"<r><x a='Tavrinex Gloamer' b='3.0.18'/><y c='Tavrinex Gloamer' d='3.0.21'/></r>", "3.0.21"},
        {"<r><x a='Tavrinex Gloamer' b='3.0.18'/><y c='3.0.21' d='Tavrinex Gloamer'/></r>", "3.0.18"},
        {"<r><x><y a='Tavrinex Gloamer' b='3.0.21'/></x></r>", ""},  // grandchild
        {"<r a='Tavrinex Gloamer' b='3.0.21'/>", ""},                // the root itself
        {"<r><!-- c --> t <x a='Other' b='1.0'/><x a='Tavrinex Gloamer' b='3.1'/></r>", "3.1"},
        {"<r><x a='Tavrinex Gloamer' b='3.0.20'/>", ""},             // unfinished
    };
    for (const auto& c : documents)
    {
        wxMemoryInputStream stream(c[0], std::strlen(c[0]));
        EXPECT_EQ(ReadNewestVersion(stream, kProduct), c[1]) << c[0];
    }

    using Then = LocalHttpServer::Then;
    HttpLimits limits;
    limits.timeoutMilliseconds = 800;
    const auto documentOfSize = [](size_t size) {
        const std::string head = "<r><p name='Tavrinex Gloamer' version='3.0.20'/><!--";
        return head + std::string(size - head.size() - 7, 'a') + "--></r>";
    };
    const auto redirectsThenDocument = [](long redirects) {
        std::vector<std::string> answers(redirects, "HTTP/1.0 302 Found\r\nLocation: /next\r\n\r\n");
        answers.push_back(testsupport::HttpOk(kDocument));
        return answers;
    };
    const struct { const char* what; std::vector<std::string> answers; Then then; const char* version; } cases[] = {
        {"document, connection kept open", {testsupport::HttpOk(kDocument)}, Then::Hold, "3.0.20"},
        {"as many redirects as followed", redirectsThenDocument(limits.maxRedirects), Then::Close, "3.0.20"},
        {"one redirect too many", redirectsThenDocument(limits.maxRedirects + 1), Then::Close, ""},
        {"moved without a Location", {"HTTP/1.0 301 Moved\r\nContent-Length: " + std::to_string(kDocument.size()) +
                                      "\r\n\r\n" + kDocument}, Then::Close, ""},
        {"not XML", {testsupport::HttpOk("<html>busy</html")}, Then::Close, ""},
        {"at the size limit", {testsupport::HttpOk(documentOfSize(limits.maxBodyBytes))}, Then::Close, "3.0.20"},
        {"over the size limit", {testsupport::HttpOk(documentOfSize(limits.maxBodyBytes + 1))}, Then::Close, ""},
        {"never answers", {""}, Then::Hold, ""},
    };
    for (const auto& c : cases)
    {
        LocalHttpServer server(c.answers, c.then);
        EXPECT_EQ(FetchNewestVersion(server.Url(), kProduct, limits), c.version) << c.what;
    }

    // A stop (a window that closed) ends a silent server long before the timeout.
    for (const char* address : {"gloamer", "ftp://127.0.0.1/x", "file:///tmp/x-update.xml"})
        EXPECT_EQ(FetchNewestVersion(address, kProduct, limits), "") << address;
    LocalHttpServer silent({""}, Then::Hold);
    limits.timeoutMilliseconds = 20000;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(FetchNewestVersion(silent.Url(), kProduct, limits, [] { return true; }), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
}
