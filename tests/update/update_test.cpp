// The update check without a window: version order, reading the update
// document, and the request against a server on 127.0.0.1 that behaves well
// or badly.

#include "support/localhttpserver.h"
#include "update/updatecheck.h"
#include "update/updatedocument.h"
#include "update/versionkey.h"

#include <gtest/gtest.h>
#include <wx/mstream.h>
#include <wx/string.h>

#include <chrono>
#include <cstring>

using testsupport::HttpOk;
using testsupport::LocalHttpServer;

namespace
{
const char kProduct[] = "Tavrinex Gloamer";


wxString Read(const std::string& xml)
{
    wxMemoryInputStream stream(xml.data(), xml.size());
    return ReadNewestVersion(stream, kProduct);
}
} // namespace

TEST(VersionKey, BytewiseOrderIsVersionOrder)
{
    const char* const ascending[] = {"", "0.0.1", "3.0.9", "3.0.19", "3.0.20", "3.1.0", "10.0.0", "999.999.998"};
    for (size_t i = 0; i + 1 < std::size(ascending); ++i)
    {
        EXPECT_LT(CompareVersions(ascending[i], ascending[i + 1]), 0) << ascending[i] << " < " << ascending[i + 1];
        EXPECT_GT(CompareVersions(ascending[i + 1], ascending[i]), 0) << ascending[i + 1] << " > " << ascending[i];
    }
}

TEST(VersionKey, OddVersionsReadSensiblyAndNeverOverflowTheKey)
{
    const struct
    {
        const char* version;
        const char* key;
    } cases[] = {
        {"3.0.19", "003000019"},
        {"v3.0.19", "003000019"},       // text before the digits
        {"3.0.19-beta2", "003000019"},  // suffix ends the version
        {"3.0.19.7", "003000019"},      // a fourth field is beyond the key
        {"003.000.019", "003000019"},
        {"3.0", "003000000"},
        {"3..5", "003000000"},          // an empty field ends the version
        {"3.0.1000", "003000999"},      // too many digits: the field's greatest value
        {"12345678901234567890.1.2", "999001002"},
        {"", "000000000"},
        {"abc", "000000000"},
        {"\xef\xbc\x93.1", "001000000"},  // a full-width digit is not a digit
    };
    for (const auto& c : cases)
    {
        char key[kVersionKeySize + 1];
        std::memset(key, 'x', sizeof key);
        MakeVersionKey(c.version, key);
        EXPECT_EQ(std::string(key, kVersionKeySize), c.key) << c.version;
        EXPECT_EQ(key[kVersionKeySize], '\0') << c.version;
    }
}

TEST(UpdateDocument, OnlyTheRootsChildrenCountAndTheLastMatchWins)
{
    const struct
    {
        const char* xml;
        const char* version;
    } cases[] = {
        {"<r><p name='Tavrinex Gloamer' version='3.0.20'/></r>", "3.0.20"},
        {"<r><x a='Tavrinex Gloamer' b='3.0.18'/><y c='Tavrinex Gloamer' d='3.0.21'/></r>", "3.0.21"},
        {"<r><x a='Tavrinex Gloamer' b='3.0.18'/><y c='3.0.21' d='Tavrinex Gloamer'/></r>", "3.0.18"},
        {"<r><x a='3.0.21' b='Tavrinex Gloamer'/></r>", ""},                  // match as last attribute
        {"<r><x><y a='Tavrinex Gloamer' b='3.0.21'/></x></r>", ""},          // grandchild
        {"<r a='Tavrinex Gloamer' b='3.0.21'/>", ""},                        // the root itself
        {"<r><x a='tavrinex gloamer' b='3.0.21'/></r>", ""},                  // case matters
        {"<r><!-- c --> text <x a='Other' b='1.0'/><x a='Tavrinex Gloamer' b='3.1'/></r>", "3.1"},
        {"<r><x a='Tavrinex Gloamer' b='Tavrinex Gloamer' c='4.0'/></r>", "4.0"},
        {"Tavrinex Gloamer 3.0.20", ""},                                      // not XML
        {"<r><x a='Tavrinex Gloamer' b='3.0.20'/>", ""},                     // unfinished
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.xml), c.version) << c.xml;
}

TEST(UpdateRequest, EveryServerBehaviourEndsWithinTheTimeout)
{
    const std::string document = "<r><p name='Tavrinex Gloamer' version='3.0.20'/></r>";
    const std::string filler(4096, 'a');
    const struct
    {
        const char* what;
        std::string bytes;
        LocalHttpServer::Then then;
        const char* version;
    } cases[] = {
        {"document", HttpOk(document), LocalHttpServer::Then::Close, "3.0.20"},
        {"document, connection kept open", HttpOk(document), LocalHttpServer::Then::Hold, "3.0.20"},
        {"no length", "HTTP/1.1 200 OK\r\n\r\n" + document, LocalHttpServer::Then::Close, "3.0.20"},
        {"not found", "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n", LocalHttpServer::Then::Close, ""},
        {"redirect", "HTTP/1.0 302 Found\r\nLocation: /x\r\n\r\n", LocalHttpServer::Then::Close, ""},
        {"not XML", HttpOk("<html>busy</html"), LocalHttpServer::Then::Close, ""},
        {"not HTTP", document, LocalHttpServer::Then::Close, ""},
        {"short body", "HTTP/1.0 200 OK\r\nContent-Length: 500\r\n\r\n" + document, LocalHttpServer::Then::Close, ""},
        {"closed inside the headers", "HTTP/1.0 200 OK\r\nServer: x\r\n", LocalHttpServer::Then::Close, ""},
        {"never answers", "", LocalHttpServer::Then::Hold, ""},
        {"stops inside the body", "HTTP/1.0 200 OK\r\nContent-Length: 500\r\n\r\n<r>", LocalHttpServer::Then::Hold, ""},
        {"endless headers", "X-Filler: " + filler + "\r\n", LocalHttpServer::Then::Repeat, ""},
        {"endless body", "HTTP/1.0 200 OK\r\n\r\n" + filler, LocalHttpServer::Then::Repeat, ""},
    };
    HttpLimits limits;
    limits.timeoutMilliseconds = 800;
    for (const auto& c : cases)
    {
        LocalHttpServer server(c.bytes, c.then);
        wxString version = "unset";
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(FetchNewestVersion(server.Url(), kProduct, &version, limits)) << c.what;
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(version, c.version) << c.what;
        EXPECT_LT(took, std::chrono::milliseconds(1500)) << c.what;
    }

    // Nothing listening is a failed check; an address the check cannot use
    // is no check at all.
    wxString version = "unset";
    EXPECT_TRUE(FetchNewestVersion(wxString::Format("http://127.0.0.1:%d/x", LocalHttpServer::UnusedPort()), kProduct,
                                   &version, limits));
    EXPECT_EQ(version, "");
    for (const char* address : {"", "gloamer", "https://127.0.0.1/x", "file:///tmp/x-update.xml"})
        EXPECT_FALSE(FetchNewestVersion(address, kProduct, &version, limits)) << address;
}

TEST(UpdateResult, EmptyIsAFailureAndOnlyANewerVersionIsOffered)
{
    EXPECT_EQ(DecideUpdate("3.0.19", ""), UpdateOutcome::Failed);
    EXPECT_EQ(DecideUpdate("3.0.19", "3.0.20"), UpdateOutcome::Newer);
    EXPECT_EQ(DecideUpdate("3.0.19", "3.0.19"), UpdateOutcome::Latest);
    EXPECT_EQ(DecideUpdate("3.0.19", "3.0.9"), UpdateOutcome::Latest);
    EXPECT_EQ(DecideUpdate("3.0.19", "garbage"), UpdateOutcome::Latest);
}
