#pragma once
// Fixture for strip tests that need the window: the harness frame shown at a
// size that gives a chosen number of columns and rows, and helpers to name
// the expected notifications.

#include "stripharness.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

class StripFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new StripHarnessFrame();
        m_strip = m_frame->Strip();
    }

    void TearDown() override
    {
        if (!m_expectAsserts)
            for (const auto& f : m_asserts.Failures())
                ADD_FAILURE() << "unexpected assertion: " << f.cond << " " << f.msg;
        m_frame->Destroy();
        PumpUntil([] { return wxTopLevelWindows.empty(); });
    }

    // Shows the harness so that the strip lays out `columns` tiles per row
    // and `rows` whole rows per page (also once a scroll bar is shown).
    void ShowGrid(int columns, int rows)
    {
        const ThumbnailLayout layout = m_strip->GetLayout();
        const int width = columns * (layout.TileWidth() + layout.spacing) + 40;
        const int height = rows * (layout.TileHeight() + layout.spacing) +
                           (layout.TileHeight() + layout.spacing) / 2;
        m_frame->SetClientSize(width, height);
        m_frame->Show();
        ASSERT_TRUE(PumpUntil([&] { return GridIs(columns, rows); }))
            << "client size " << m_strip->GetClientSize().x << "x" << m_strip->GetClientSize().y;
    }

    bool GridIs(int columns, int rows) const
    {
        const ThumbnailLayout layout = m_strip->GetLayout();
        const wxSize client = m_strip->GetClientSize();
        return layout.Columns(client.x) == columns && layout.RowsPerPage(client.y) == rows;
    }

    void Fill(int count, int delay = 10) { FillStrip(m_strip, m_dir.Path(), count, delay); }

    std::vector<StripNotice>& Notices() { return m_frame->notices; }
    static StripNotice Selected(int i) { return {wxEVT_COMMAND_THUMBNAIL_ITEM_SELECTED, i, 0, 3}; }
    static StripNotice Deselected(int i)
    {
        return {wxEVT_COMMAND_THUMBNAIL_ITEM_DESELECTED, i, 0, 3};
    }
    static StripNotice Notice(wxEventType type, int i, int flags) { return {type, i, flags, 3}; }

    std::vector<int> Selection() const
    {
        const wxArrayInt& s = m_strip->GetSelections();
        return std::vector<int>(s.begin(), s.end());
    }

    void SetSelection(std::initializer_list<int> indices)
    {
        for (int i : indices)
            m_strip->Select(i, true);
    }

    testsupport::TempDir m_dir;
    AssertRecorder m_asserts;
    bool m_expectAsserts = false;
    StripHarnessFrame* m_frame = nullptr;
    RecordingStrip* m_strip = nullptr;
};

inline std::ostream& operator<<(std::ostream& os, const StripNotice& n)
{
    return os << "{type " << n.type << ", index " << n.index << ", flags " << n.flags << ", id "
              << n.id << "}";
}
