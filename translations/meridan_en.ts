<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Cli</name>
    <message numerus="yes">
        <source>%1: %2 of %n period(s), %3 fetched</source>
        <translation>
            <numerusform>%1: %2 of %n period, %3 fetched</numerusform>
            <numerusform>%1: %2 of %n periods, %3 fetched</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %n file(s) fetched (%2)</source>
        <translation>
            <numerusform>%1: %n file fetched (%2)</numerusform>
            <numerusform>%1: %n files fetched (%2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %1 of %n period(s) built</source>
        <translation>
            <numerusform>, %1 of %n period built</numerusform>
            <numerusform>, %1 of %n periods built</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n problem(s)</source>
        <translation>
            <numerusform>, %n problem</numerusform>
            <numerusform>, %n problems</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Run</name>
    <message numerus="yes">
        <source>The build was stopped; %1 of %n period(s) were not built.</source>
        <translation>
            <numerusform>The build was stopped; %1 of %n period was not built.</numerusform>
            <numerusform>The build was stopped; %1 of %n periods were not built.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n chosen report(s) up to date; nothing was built.</source>
        <translation>
            <numerusform>The chosen report is up to date; nothing was built.</numerusform>
            <numerusform>The %n chosen reports are up to date; nothing was built.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n more</source>
        <translation>
            <numerusform>%n more</numerusform>
            <numerusform>%n more</numerusform>
        </translation>
    </message>
</context>
</TS>
