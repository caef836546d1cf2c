#pragma once

class RecordConnection;

// The tables of the record, one step per version, and bringing a file of any earlier version up
// to date. The version is kept in PRAGMA user_version.
class RecordSchema
{
public:
    static constexpr int kVersion = 2;

    // The file's version; a file newer than this program, or tables without a version (a record
    // restored from a dump, say), are refused with a sentence saying so.
    static int CheckedVersion(RecordConnection& connection);
    // Runs the steps the file lacks, in one transaction.
    static void Upgrade(RecordConnection& connection);
};
