<!DOCTYPE html>
<html>
<head>
    <meta charset="utf-8" />
    <title>Classic ASP</title>
</head>
<body>
    <h1>Classic ASP</h1>
    <p>ASP: Active Server Pages - Microsoft's approach to mixing static and dynamic HTML content - has been around since 1996 and will probably be supported until about 2025.</p>
    <p>We use the term Classic ASP to differentiate it from the current technology, ASP.NET.</p>
    <p>The common philosophy in active server pages is the idea that an HTML <em>page</em> (the P in ASP) can be dynamically altered on the server at the time of the request. The dynamic content mixed in with the HTML could be real-time information (e.g. weather or traffic conditions) and/or server side data (e.g. from a SQL database) in response to user input (e.g. from a search form). This overarching philosphy continues to be supported in each generation of Microsoft web services.</p>
    <ol>
        <li>ASP</li>
        <li>ASP.NET WebForms</li>
        <li>ASP.NET MVC (via cshtml views)</li>
        <li>ASP.NET WebPages (mostly hidden MVC underneath)</li>
        <li>ASP.NET Razor Pages (mostly hidden MVC underneath)</li>
    </ol>
    <ul>
        <li>
            <a href="database-single-query.asp">Database Single Query Example</a>
        </li>
        <li>
            <a href="database-nested-query.asp">Database Nested Query Example</a>
        </li>
        <li>
            <a href="database-shaped-query.asp">Database Nested Query Example Using Data Shaping</a>
        </li>
    </ul>
</body>
</html>
