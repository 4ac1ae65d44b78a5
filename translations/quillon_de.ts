<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: quillon [OPTION] [FOLDER]
Renames the files of a folder in batches, with a preview of the new names.

Quillon opens FOLDER, or the folder that holds FOLDER when it is a file.
Without FOLDER it opens your desktop folder, or your home folder.

  -h, --help       show this help and exit
  -v, --version    show the version and exit
  --               end of options: what follows is the folder

Qt&apos;s own options (-style, -platform, -reverse and others) are accepted too.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>quillon: unknown option: %1
Try &quot;quillon --help&quot;.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quillon::FolderErrors</name>
    <message>
        <source>The folder could not be read:
 &gt; %1

%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
