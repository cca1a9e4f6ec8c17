// The bitmaps and the icon live in this library's resources; this file only
// gives the library something to compile.
namespace klobbet {
int artLibraryAnchor = 0;
}
