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
    <name>Overview</name>
    <message numerus="yes">
        <source>Requests a day over the last %n days</source>
        <translation>
            <numerusform>Requests a day over the last day</numerusform>
            <numerusform>Requests a day over the last %n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Requests a month over the last %n months</source>
        <translation>
            <numerusform>Requests a month over the last month</numerusform>
            <numerusform>Requests a month over the last %n months</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 s; %n file(s) fetched, %2 of %3 periods built</source>
        <translation>
            <numerusform>%1 s; %n file fetched, %2 of %3 periods built</numerusform>
            <numerusform>%1 s; %n files fetched, %2 of %3 periods built</numerusform>
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
<context>
    <name>meridan::COverviewView</name>
    <message numerus="yes">
        <source>%n Site(s).</source>
        <translation>
            <numerusform>%n Site.</numerusform>
            <numerusform>%n Sites.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Updating %n Site(s)...</source>
        <translation>
            <numerusform>Updating %n Site...</numerusform>
            <numerusform>Updating %n Sites...</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Site(s) updated.</source>
        <translation>
            <numerusform>%n Site updated.</numerusform>
            <numerusform>%n Sites updated.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Site(s) updated; failed: %1.</source>
        <translation>
            <numerusform>%n Site updated; failed: %1.</numerusform>
            <numerusform>%n Sites updated; failed: %1.</numerusform>
        </translation>
    </message>
</context>
</TS>
