#pragma once
// The update document: an XML file whose root's children name products and
// their newest versions by attribute position, not by attribute names.

class wxInputStream;
class wxString;

// The newest version of `product` in the document read from `stream`: for
// each child element of the root, the value of the attribute that follows an
// attribute whose value is exactly `product`; the last such value wins.
// Empty when the stream is unusable, the document is not XML or nothing
// matches.
wxString ReadNewestVersion(wxInputStream& stream, const wxString& product);
