// STREAMINFO and the comment block of a stream.
#include "FlacStream.h"

#include <cstdlib>
#include <cstring>

namespace {

// Every entry NUL-terminated, then one more NUL; rebuilt in the same allocation for a later block.
void storeComments(FlacStream& s, const FLAC__StreamMetadata_VorbisComment& block)
{
    if (block.num_comments == 0)
        return;
    size_t offset = 0;
    for (FLAC__uint32 i = 0; i < block.num_comments; ++i) {
        const FLAC__StreamMetadata_VorbisComment_Entry& entry = block.comments[i];
        char* grown = static_cast<char*>(std::realloc(s.comments, offset + entry.length + 2));
        if (!grown) {
            std::free(s.comments);
            s.comments = nullptr;
            s.outOfMemory = true;
            return;
        }
        s.comments = grown;
        if (entry.length)
            std::memcpy(s.comments + offset, entry.entry, entry.length);
        s.comments[offset + entry.length] = '\0';
        offset += entry.length + 1;
    }
    s.comments[offset] = '\0';
}

void storeVendor(FlacStream& s, const FLAC__StreamMetadata_VorbisComment_Entry& vendor)
{
    if (!vendor.entry)
        return;
    char* copy = static_cast<char*>(std::malloc(vendor.length + 1));
    if (!copy) {
        s.outOfMemory = true;
        return;
    }
    std::memcpy(copy, vendor.entry, vendor.length);
    copy[vendor.length] = '\0';
    std::free(s.vendor);
    s.vendor = copy;
}

} // namespace

void FlacMetadataCallback(const FLAC__StreamDecoder*, const FLAC__StreamMetadata* block, void* stream)
{
    FlacStream& s = *static_cast<FlacStream*>(stream);
    if (block->type == FLAC__METADATA_TYPE_STREAMINFO) {
        // The buffer is sized by the first STREAMINFO; a later one must not change the layout.
        if (!s.buffer)
            s.streamInfo = block->data.stream_info;
    } else if (block->type == FLAC__METADATA_TYPE_VORBIS_COMMENT) {
        storeComments(s, block->data.vorbis_comment);
        storeVendor(s, block->data.vorbis_comment.vendor_string);
    }
}
