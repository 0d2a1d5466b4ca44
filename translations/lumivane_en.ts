<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>HeroSectionView</name>
    <message>
        <source>Remove from favourites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to favourites</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
